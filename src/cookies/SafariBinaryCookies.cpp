#include "cookies/SafariBinaryCookies.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "cookies/CookieSort.h"

namespace cookies {

namespace {

const std::string kPageTag("\x00\x00\x01\x00", 4);
const std::string kFooter("\x07\x17\x20\x05", 4);
constexpr size_t kPageHead = 12;    // tag, count, and the zeros after an empty offset table
constexpr size_t kRecordHead = 56;  // ten 32-bit fields and two dates, before the strings

uint32_t bigEndian(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

uint32_t littleEndian(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void putBigEndian(uint32_t value, std::string* bytes) {
  for (int shift = 24; shift >= 0; shift -= 8) *bytes += static_cast<char>((value >> shift) & 0xFF);
}

void putLittleEndian(uint32_t value, std::string* bytes) {
  for (int shift = 0; shift < 32; shift += 8) *bytes += static_cast<char>((value >> shift) & 0xFF);
}

// The format's checksum: every fourth byte of each page, from its first, summed.
uint32_t checksumOf(const std::vector<std::string>& pages) {
  uint32_t sum = 0;
  for (const std::string& page : pages)
    for (size_t i = 0; i < page.size(); i += 4) sum += static_cast<unsigned char>(page[i]);
  return sum;
}

// The NUL-terminated string at `offset` from the record's start, within the record.
bool stringAt(const std::string& record, uint32_t offset, std::string* text) {
  if (offset < kRecordHead || offset >= record.size()) return false;
  const size_t end = record.find('\0', offset);
  if (end == std::string::npos) return false;
  *text = record.substr(offset, end - offset);
  return true;
}

struct BinaryCookie {
  std::string domain, name, path;
};

bool readRecord(const std::string& record, BinaryCookie* cookie) {
  std::string value, comment;
  for (size_t field : {32, 36}) {  // the comment and its URL, 0 when there is none
    const uint32_t offset = littleEndian(record, field);
    if (offset != 0 && !stringAt(record, offset, &comment)) return false;
  }
  return stringAt(record, littleEndian(record, 16), &cookie->domain) &&
         stringAt(record, littleEndian(record, 20), &cookie->name) &&
         stringAt(record, littleEndian(record, 24), &cookie->path) &&
         stringAt(record, littleEndian(record, 28), &value);
}

// The records of a page, which follow its offset table back to back and fill it: anything
// else in a page would be lost in the rebuilt one.
bool readPage(const std::string& page, std::vector<std::string>* records) {
  if (page.size() < kPageHead || page.compare(0, 4, kPageTag) != 0) return false;
  const uint32_t count = littleEndian(page, 4);
  if (count > (page.size() - kPageHead) / 4 || littleEndian(page, 8 + 4 * size_t(count)) != 0) return false;
  size_t next = kPageHead + 4 * size_t(count);
  for (uint32_t i = 0; i < count; ++i) {
    if (littleEndian(page, 8 + 4 * size_t(i)) != next || page.size() - next < kRecordHead) return false;
    const uint32_t size = littleEndian(page, next);
    if (size < kRecordHead || size > page.size() - next) return false;
    records->push_back(page.substr(next, size));
    next += size;
  }
  return next == page.size();
}

std::string pageOf(const std::vector<std::string>& records) {
  std::string page = kPageTag;
  putLittleEndian(static_cast<uint32_t>(records.size()), &page);
  size_t offset = kPageHead + 4 * records.size();
  for (const std::string& record : records) {
    putLittleEndian(static_cast<uint32_t>(offset), &page);
    offset += record.size();
  }
  putLittleEndian(0, &page);
  for (const std::string& record : records) page += record;
  return page;
}

bool fail(std::string* why, const char* reason) {
  *why = reason;
  return false;
}

}  // namespace

bool FilterSafariBinaryCookies(const std::string& file, const KeepsHost& keeps, FilteredCookies* out,
                               std::string* why) {
  if (file.size() < 8 || file.compare(0, 4, "cook") != 0) return fail(why, "not a Safari binary cookie file");
  const uint32_t count = bigEndian(file, 4);
  if (count > (file.size() - 8) / 4) return fail(why, "the page table runs past the end of the file");
  size_t at = 8 + 4 * size_t(count);
  std::vector<std::string> pages;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t size = bigEndian(file, 8 + 4 * size_t(i));
    if (size > file.size() - at) return fail(why, "a page runs past the end of the file");
    pages.push_back(file.substr(at, size));
    at += size;
  }
  if (file.size() - at < 8) return fail(why, "the file ends before its checksum and footer");
  // A file whose pages do not add up was not written as we read it: it is left as it is.
  if (bigEndian(file, at) != checksumOf(pages)) return fail(why, "the checksum does not match the pages");
  if (file.compare(at + 4, 4, kFooter) != 0) return fail(why, "the footer is not where the pages end");

  FilteredCookies filtered;
  std::vector<std::string> rebuilt;
  for (const std::string& page : pages) {
    std::vector<std::string> records, kept;
    if (!readPage(page, &records)) return fail(why, "a page is not laid out as Safari writes it");
    for (const std::string& record : records) {
      BinaryCookie cookie;
      if (!readRecord(record, &cookie)) return fail(why, "a cookie's strings lie outside its record");
      if (SortCookie(keeps, cookie.domain, cookie.path, cookie.name, record.size(), &filtered)) kept.push_back(record);
    }
    if (!kept.empty()) rebuilt.push_back(pageOf(kept));
  }
  filtered.bytes = "cook";
  putBigEndian(static_cast<uint32_t>(rebuilt.size()), &filtered.bytes);
  for (const std::string& page : rebuilt) putBigEndian(static_cast<uint32_t>(page.size()), &filtered.bytes);
  for (const std::string& page : rebuilt) filtered.bytes += page;
  putBigEndian(checksumOf(rebuilt), &filtered.bytes);
  filtered.bytes += file.substr(at + 4);
  *out = std::move(filtered);
  return true;
}

}  // namespace cookies

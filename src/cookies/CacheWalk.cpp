#include "cookies/CacheWalk.h"

#include <cstring>
#include <vector>

#include "platform/WinError.h"

namespace cookies {

namespace winerr = platform::winerr;

namespace {

bool saneSize(uint32_t size) { return size >= sizeof(platform::CacheEntryHeader) && size <= kMaxCacheRecord; }

// A string pointer of a record counts only when it points into the record and ends there.
std::string stringInRecord(const char* text, const std::vector<uint8_t>& record) {
  const char* begin = reinterpret_cast<const char*>(record.data());
  const char* end = begin + record.size();
  if (!text || text < begin || text >= end) return {};
  if (!std::memchr(text, 0, static_cast<size_t>(end - text))) return {};
  return StringFromPointer(text);
}

CacheRecord readRecord(const std::vector<uint8_t>& record) {
  platform::CacheEntryHeader header;
  std::memcpy(&header, record.data(), sizeof header);
  CacheRecord out;
  out.type = header.CacheEntryType;
  out.sourceUrl = stringInRecord(header.lpszSourceUrlName, record);
  out.localFile = stringInRecord(header.lpszLocalFileName, record);
  out.bytes = (static_cast<uint64_t>(header.dwSizeHigh) << 32) | header.dwSizeLow;
  return out;
}

}  // namespace

std::string StringFromPointer(const char* text) { return text ? std::string(text) : std::string(); }

WalkEnd WalkUrlCache(platform::UrlCache& cache, const std::function<void(const CacheRecord&)>& visit,
                     const std::function<void()>& between) {
  uint32_t size = 0;
  long error = 0;
  platform::CacheFind find = cache.findFirst(nullptr, &size, &error);
  if (find) {  // a cache that answers a size query with a handle is not to be trusted
    cache.findClose(find);
    return WalkEnd::NotStarted;
  }
  if (error != winerr::InsufficientBuffer) return error == winerr::NoMoreItems ? WalkEnd::Complete : WalkEnd::NotStarted;
  if (!saneSize(size)) return WalkEnd::Broken;
  std::vector<uint8_t> record(size);
  std::memcpy(record.data(), &size, sizeof size);
  uint32_t capacity = size;
  find = cache.findFirst(record.data(), &capacity, &error);
  if (!find) return WalkEnd::Broken;
  // The search is closed however the walk is left.
  struct CloseFind {
    platform::UrlCache& cache;
    platform::CacheFind find;
    ~CloseFind() { cache.findClose(find); }
  } closeFind{cache, find};

  WalkEnd end = WalkEnd::Complete;
  for (;;) {
    visit(readRecord(record));
    if (between) between();
    size = 0;
    long result = cache.findNext(find, nullptr, &size);
    if (result == winerr::NoMoreItems) break;
    if (result != winerr::InsufficientBuffer || !saneSize(size)) {
      end = WalkEnd::Broken;
      break;
    }
    record.assign(size, 0);
    std::memcpy(record.data(), &size, sizeof size);
    capacity = size;
    result = cache.findNext(find, record.data(), &capacity);
    if (result == winerr::NoMoreItems) break;
    if (result != winerr::Success) {
      end = WalkEnd::Broken;
      break;
    }
  }
  return end;
}

}  // namespace cookies

#include "cookies/OperaCookieFile.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "cookies/OperaRecords.h"

namespace cookies {

namespace {

// The records of the tree; an end is a flag, its tag with the top bit set.
constexpr uint32_t kDomain = 0x01, kPath = 0x02, kCookie = 0x03, kDomainEnd = 0x04, kPathEnd = 0x05;
// Fields inside them.
constexpr uint32_t kCookieName = 0x10, kPathName = 0x1D, kDomainName = 0x1E;

// Major versions (the top 20 bits): the 4.x file format, and the cookie file among Opera's
// files of that format (the cache index and visited links carry 0x20).
constexpr uint32_t kFileFormatMajor = 1, kCookieFileMajor = 2;

// Deeper nesting of domains and paths is taken for a damaged file.
constexpr size_t kDeepest = 256;
// Every label repeats its host and path, so one long path over a run of empty cookies would
// ask for text quadratic in the file's size. No file a browser wrote lists more than this
// many bytes of host and label per byte of itself.
constexpr uint64_t kListedPerFileByte = 64;
constexpr const char* kTooMuchText = "more host and path text than any cookie file holds";

// An open domain or path component.
struct Level {
  bool domain = false;
  size_t nameAt = 0, nameSize = 0;  // its name, in the file
  size_t pathBefore = 0;            // a path component: the path's length before it
  bool rootPathOpen = false;        // a domain: the cookies and paths of its own root may follow
};

// The file read record by record, top-level records only: the tree's nesting is kept on a
// stack of its own, never by recursion.
class CookieTree {
 public:
  CookieTree(const std::string& file, const OperaHeader& sizes, const KeepsHost& keeps, FilteredCookies* out,
             std::string* why)
      : file_(file), sizes_(sizes), keeps_(keeps), out_(out), why_(why) {}

  bool read() {
    OperaRecordReader records(file_, kOperaHeaderBytes, file_.size(), sizes_);
    const uint32_t flag = records.flagBit();
    out_->bytes.assign(file_, 0, kOperaHeaderBytes);
    while (!records.atEnd()) {
      OperaRecord record;
      if (!records.next(&record)) return fail("the file ends inside a record");
      bool keep = true;
      if (!take(record, flag, &keep)) return false;
      if (keep) out_->bytes.append(file_, record.start, record.end - record.start);
    }
    return levels_.empty() || fail("the file ends inside a domain");
  }

 private:
  bool fail(const char* reason) {
    *why_ = reason;
    return false;
  }

  // One top-level record; `keep` false for a cookie that goes.
  bool take(const OperaRecord& record, uint32_t flag, bool* keep) {
    if (record.tag == kDomain) return openDomain(record);
    if (record.tag == kPath) return openPath(record);
    if (record.tag == kCookie) return cookie(record, keep);
    if (record.tag == (kDomainEnd | flag)) return endDomain(record);
    if (record.tag == (kPathEnd | flag)) return endPath();
    // A reader that looks past the flag bit would take these for the tree's own records.
    const uint32_t kind = record.tag & ~flag;
    if (kind >= kDomain && kind <= kPathEnd) return fail("a domain, path or cookie record of the wrong form");
    return true;  // a record of a later Opera, kept as it is
  }

  // The first `wanted` field of a record, and how many it holds.
  bool field(const OperaRecord& record, uint32_t wanted, size_t* at, size_t* size, int* count) {
    OperaRecordReader fields(file_, record.payload, record.end, sizes_);
    *count = 0;
    while (!fields.atEnd()) {
      OperaRecord sub;
      if (!fields.next(&sub)) return fail("a record whose fields run past its end");
      if (sub.tag != wanted || ++*count > 1) continue;
      *at = sub.payload;
      *size = sub.end - sub.payload;
    }
    return true;
  }

  bool nest(Level level) {
    if (levels_.size() == kDeepest) return fail("domains and paths nested too deep");
    levels_.push_back(level);
    return true;
  }

  bool openDomain(const OperaRecord& record) {
    // Opera writes a domain's sub-domains after the end of its own root path.
    if (!levels_.empty() && !levels_.back().domain) return fail("a domain inside a path");
    if (!levels_.empty() && levels_.back().rootPathOpen) return fail("a sub-domain before its parent's paths end");
    Level level;
    int names = 0;
    if (!field(record, kDomainName, &level.nameAt, &level.nameSize, &names)) return false;
    if (names != 1 || level.nameSize == 0) return fail("a domain without one name");
    level.domain = level.rootPathOpen = true;
    if (!nest(level)) return false;
    ++domains_;
    return true;
  }

  bool withinPaths(const char* what) {
    if (levels_.empty()) return fail(what);
    return !levels_.back().domain || levels_.back().rootPathOpen ||
           fail("a path or cookie after its domain's paths end");
  }

  bool openPath(const OperaRecord& record) {
    if (!withinPaths("a path outside any domain")) return false;
    Level level;
    int names = 0;
    if (!field(record, kPathName, &level.nameAt, &level.nameSize, &names)) return false;
    if (names != 1) return fail("a path without one name");
    level.pathBefore = path_.size();
    if (!nest(level)) return false;
    path_ += '/';
    path_.append(file_, level.nameAt, level.nameSize);
    return true;
  }

  bool cookie(const OperaRecord& record, bool* keep) {
    if (!withinPaths("a cookie outside any domain")) return false;
    size_t nameAt = 0, nameSize = 0;
    int names = 0;
    if (!field(record, kCookieName, &nameAt, &nameSize, &names)) return false;
    // The domains lie below any paths on the stack; the innermost names the host first.
    size_t hostSize = domains_ - 1;
    for (size_t i = 0; i < domains_; ++i) hostSize += levels_[i].nameSize;
    const uint64_t listed = 2 * hostSize + (path_.empty() ? 1 : path_.size()) + 1 + nameSize;
    listed_ += listed;
    if (listed_ > kListedPerFileByte * record.end) return fail(kTooMuchText);  // before any of it is built
    FileCookie found;
    for (size_t i = domains_; i-- > 0;) {
      found.host.append(file_, levels_[i].nameAt, levels_[i].nameSize);
      if (i) found.host += '.';
    }
    found.label = found.host + (path_.empty() ? "/" : path_) + ' ' + file_.substr(nameAt, nameSize);
    found.bytes = record.end - record.start;
    *keep = keeps_(found.host);
    if (*keep) {
      // Weighed against what is written back as well, so that always reads again.
      listedKept_ += listed;
      if (listedKept_ > kListedPerFileByte * (out_->bytes.size() + found.bytes)) return fail(kTooMuchText);
    }
    (*keep ? out_->kept : out_->removed).push_back(std::move(found));
    return true;
  }

  bool endPath() {
    if (!levels_.empty() && !levels_.back().domain) {
      path_.resize(levels_.back().pathBefore);
      levels_.pop_back();
      return true;
    }
    // With no path component open, the end is that of the domain's own root path.
    if (!levels_.empty() && levels_.back().rootPathOpen) {
      levels_.back().rootPathOpen = false;
      return true;
    }
    return fail("a path ends that was never opened");
  }

  bool endDomain(const OperaRecord& record) {
    // Opera ends the file with the end of the root, which no record opened.
    if (levels_.empty()) return record.end == file_.size() || fail("a domain ends that was never opened");
    if (!levels_.back().domain) return fail("a domain ends inside a path");
    if (levels_.back().rootPathOpen) return fail("a domain ends before its paths");
    levels_.pop_back();
    --domains_;
    return true;
  }

  const std::string& file_;
  const OperaHeader& sizes_;
  const KeepsHost& keeps_;
  FilteredCookies* out_;
  std::string* why_;
  std::vector<Level> levels_;
  size_t domains_ = 0;
  std::string path_;  // "/a/b" of the open path components, empty at a domain's root
  uint64_t listed_ = 0, listedKept_ = 0;
};

}  // namespace

bool FilterOperaCookies(const std::string& file, const KeepsHost& keeps, FilteredCookies* out, std::string* why) {
  *out = FilteredCookies();
  OperaHeader header;
  if (!ReadOperaHeader(file, &header)) {
    const bool headerWhole = file.size() >= kOperaHeaderBytes;
    *why = headerWhole ? "tag or length sizes this reader does not know" : "not an Opera cookie file";
    return false;
  }
  if (header.fileVersion >> 12 != kFileFormatMajor || header.appVersion >> 12 != kCookieFileMajor) {
    *why = "not an Opera cookie file";
    return false;
  }
  FilteredCookies filtered;
  if (!CookieTree(file, header, keeps, &filtered, why).read()) return false;
  *out = std::move(filtered);
  return true;
}

}  // namespace cookies

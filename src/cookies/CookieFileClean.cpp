#include "cookies/CookieFileClean.h"

#include "cookies/KeptSites.h"
#include "erase/FileInHeldFolder.h"
#include "erase/FileRewrite.h"
#include "erase/Plan.h"
#include "platform/WinError.h"

namespace cookies {

namespace {

using erase::Outcome;
using erase::RewriteEnd;

// No browser writes a cookie file near this size; a larger one is not read into memory.
constexpr size_t kLargestCookieFile = 64u << 20;

void recordCookies(const erase::RunContext& run, const std::string& path, const std::vector<FileCookie>& cookies,
                   Outcome outcome, const std::string& reason = {}) {
  for (const FileCookie& cookie : cookies)
    erase::recordCookie(run.flags, path + ": " + cookie.label, cookie.host, cookie.bytes, outcome, reason);
}

}  // namespace

void CleanCookieFile(const erase::RunContext& run, const std::string& path, CookieFilter filter) {
  namespace fileattr = platform::fileattr;
  // Hidden and system files are not found, as the browsers' other files of an item are not.
  const uint32_t attributes = run.os.files.getAttributes(path);
  if (attributes == fileattr::Invalid || (attributes & (fileattr::Hidden | fileattr::System))) return;
  KeptSites kept;
  std::string why;
  if (!ReadKeptSites(run, &kept, &why)) return erase::recordGivenUp(run.flags, path, why);
  const bool collecting = erase::collecting(run.flags);
  FilteredCookies filtered;
  bool unreadable = false;
  const erase::Rewrite rewrite =
      erase::RewriteFileInHeldFolder(run, path, kLargestCookieFile, [&](const std::string& old, std::string* fresh) {
        if (!filter(old, [&](const std::string& host) { return kept.keeps(host); }, &filtered, &why)) {
          unreadable = true;
          return false;
        }
        if (collecting || filtered.removed.empty()) return false;
        *fresh = filtered.bytes;
        return true;
      });
  switch (rewrite.end) {
    case RewriteEnd::Missing: return;
    case RewriteEnd::Refused:
      return erase::record(run.flags, erase::TargetKind::File, path, 0, Outcome::Refused, rewrite.reason);
    case RewriteEnd::Unread:
      return erase::record(run.flags, erase::TargetKind::File, path, 0, Outcome::Failed, rewrite.reason);
    case RewriteEnd::Unedited:
      if (!unreadable) {
        recordCookies(run, path, filtered.removed, Outcome::Planned);
        return recordCookies(run, path, filtered.kept, Outcome::Kept);
      }
      if (kept.sites.empty()) {
        erase::RemoveFileInHeldFolder(run, path, erase::TargetKind::File);
        return;
      }
      return erase::record(run.flags, erase::TargetKind::File, path, 0, Outcome::Failed,
                           "the kept cookies cannot be told apart (" + why + "); left as it was");
    case RewriteEnd::Written:
      recordCookies(run, path, filtered.removed, Outcome::Removed);
      return recordCookies(run, path, filtered.kept, Outcome::Kept);
    case RewriteEnd::Failed:
      recordCookies(run, path, filtered.removed, Outcome::Failed, rewrite.reason);
      return recordCookies(run, path, filtered.kept, Outcome::Kept);
  }
}

}  // namespace cookies

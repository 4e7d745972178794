#include "cookies/CacheEntryRemoval.h"

#include "erase/EraseFiles.h"
#include "erase/RunFlags.h"
#include "platform/WinError.h"

namespace cookies {

void RemoveCacheEntry(platform::UrlCache& cache, erase::RunFlags& flags, erase::TargetKind kind,
                      const std::string& url, uint64_t bytes, const std::string& host) {
  auto note = [&](erase::Outcome outcome, const std::string& reason) {
    if (kind == erase::TargetKind::Cookie) return erase::recordCookie(flags, url, host, bytes, outcome, reason);
    erase::record(flags, kind, url, bytes, outcome, reason);
  };
  if (erase::collecting(flags)) return note(erase::Outcome::Planned, {});
  const erase::Result result = erase::resultOf(cache.deleteEntry(url));
  note(result.removed ? erase::Outcome::Removed : erase::Outcome::Failed, result.reason);
}

}  // namespace cookies

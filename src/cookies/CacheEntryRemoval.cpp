#include "cookies/CacheEntryRemoval.h"

#include "erase/RunFlags.h"
#include "erase/EraseFiles.h"
#include "platform/WinError.h"

namespace cookies {

void RemoveCacheEntry(platform::UrlCache& cache, erase::RunFlags& flags, erase::TargetKind kind,
                      const std::string& url, uint64_t bytes) {
  if (erase::collecting(flags)) {
    erase::record(flags, kind, url, bytes, erase::Outcome::Planned);
    return;
  }
  const long error = cache.deleteEntry(url);
  if (error == platform::winerr::Success)
    erase::record(flags, kind, url, bytes, erase::Outcome::Removed);
  else
    erase::record(flags, kind, url, bytes, erase::Outcome::Failed, erase::describeError(error));
}

}  // namespace cookies

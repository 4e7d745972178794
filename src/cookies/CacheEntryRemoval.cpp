#include "cookies/CacheEntryRemoval.h"

#include "erase/EraseFiles.h"
#include "erase/RunFlags.h"
#include "platform/WinError.h"

namespace cookies {

void RemoveCacheEntry(platform::UrlCache& cache, erase::RunFlags& flags, erase::TargetKind kind,
                      const std::string& url, uint64_t bytes) {
  erase::removeOrPlan(flags, kind, url, bytes, [&] { return erase::resultOf(cache.deleteEntry(url)); });
}

}  // namespace cookies

#pragma once
// One entry of the URL cache (a cached page, a cookie) removed and recorded in the run's plan.
#include <cstdint>
#include <string>

#include "erase/Plan.h"
#include "platform/UrlCache.h"

namespace erase {
struct RunFlags;
}

namespace cookies {

// Deletes the entry named `url`, recorded as `kind` with its size (a cookie with its host):
// only recorded (Planned) while the run collects; otherwise Removed, or Failed with the
// reason (an entry in use stays).
void RemoveCacheEntry(platform::UrlCache& cache, erase::RunFlags& flags, erase::TargetKind kind,
                      const std::string& url, uint64_t bytes, const std::string& host = {});

}  // namespace cookies

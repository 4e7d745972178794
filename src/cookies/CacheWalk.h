#pragma once
// A walk over WinINet's URL cache, one record at a time with the two-call size protocol.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/UrlCache.h"

namespace cookies {

// The text of a zero-terminated narrow string at an address; empty for a null address.
std::string StringFromPointer(const char* text);

struct CacheRecord {
  uint32_t type = 0;
  std::string sourceUrl;
  std::string localFile;
  uint64_t bytes = 0;  // the size of the local file
};

// Larger records than this are taken for a damaged cache, not allocated.
constexpr uint32_t kMaxCacheRecord = 1u << 20;

enum class WalkEnd { Complete, NotStarted, Broken };

// Visits every entry in cache order. `between` runs after each record, outside any
// buffer, so it may dispatch events. NotStarted: the first size query did not answer
// "buffer too small"; Broken: a record size was absurd or a call failed midway.
WalkEnd WalkUrlCache(platform::UrlCache& cache, const std::function<void(const CacheRecord&)>& visit,
                     const std::function<void()>& between = {});

}  // namespace cookies

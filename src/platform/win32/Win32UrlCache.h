#pragma once
#include "platform/UrlCache.h"

namespace platform::win32 {

// WinINet's URL cache.
class Win32UrlCache : public UrlCache {
 public:
  CacheFind findFirst(void* buffer, uint32_t* size, long* error) override;
  long findNext(CacheFind find, void* buffer, uint32_t* size) override;
  long deleteEntry(const std::string& url) override;
  void findClose(CacheFind find) override;
};

}  // namespace platform::win32

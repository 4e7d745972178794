#pragma once
// WinINet's URL cache: enumeration with the two-call size protocol, and deletion.
// Records come back in the platform's INTERNET_CACHE_ENTRY_INFOA layout, their strings
// inside the same buffer.
#include <cstdint>
#include <string>

namespace platform {

using CacheFind = std::uintptr_t;  // 0 is no handle

namespace cacheentry {
constexpr uint32_t Normal = 0x1, Sticky = 0x4, Edited = 0x8, TrackOffline = 0x10,
                   TrackOnline = 0x20, Sparse = 0x10000, Cookie = 0x100000, UrlHistory = 0x200000;
}

// The leading fields of INTERNET_CACHE_ENTRY_INFOA, in the platform's own layout.
struct CacheEntryHeader {
  uint32_t dwStructSize;
  char* lpszSourceUrlName;
  char* lpszLocalFileName;
  uint32_t CacheEntryType;
  uint32_t dwUseCount;
  uint32_t dwHitRate;
  uint32_t dwSizeLow;  // the size of the entry's local file
  uint32_t dwSizeHigh;
};

class UrlCache {
 public:
  virtual ~UrlCache() = default;
  // FindFirstUrlCacheEntryA with no search pattern. Returns the handle, or 0 with the
  // error in *error (122 with the needed size in *size when the buffer is short or null,
  // 259 when the cache is empty). *size is the buffer's capacity on entry.
  virtual CacheFind findFirst(void* buffer, uint32_t* size, long* error) = 0;
  // FindNextUrlCacheEntryA: Success, InsufficientBuffer (size in *size) or NoMoreItems.
  virtual long findNext(CacheFind find, void* buffer, uint32_t* size) = 0;
  virtual long deleteEntry(const std::string& url) = 0;  // DeleteUrlCacheEntryA
  virtual void findClose(CacheFind find) = 0;           // FindCloseUrlCache
};

}  // namespace platform

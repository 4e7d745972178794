#include "platform/win32/Win32UrlCache.h"

#include <windows.h>
#include <wininet.h>

#include "platform/win32/WinInetLibrary.h"

#include <cstddef>

namespace platform::win32 {

static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOA, lpszSourceUrlName) == offsetof(CacheEntryHeader, lpszSourceUrlName));
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOA, lpszLocalFileName) == offsetof(CacheEntryHeader, lpszLocalFileName));
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOA, CacheEntryType) == offsetof(CacheEntryHeader, CacheEntryType));
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOA, dwSizeLow) == offsetof(CacheEntryHeader, dwSizeLow));
static_assert(offsetof(INTERNET_CACHE_ENTRY_INFOA, dwSizeHigh) == offsetof(CacheEntryHeader, dwSizeHigh));

CacheFind Win32UrlCache::findFirst(void* buffer, uint32_t* size, long* error) {
  if (!winInet().loaded) {  // no Internet Explorer, so no cache
    *error = ERROR_NO_MORE_ITEMS;
    return 0;
  }
  DWORD length = *size;
  HANDLE find = winInet().FindFirstUrlCacheEntryA(nullptr, static_cast<LPINTERNET_CACHE_ENTRY_INFOA>(buffer), &length);
  *error = find ? 0 : static_cast<long>(GetLastError());
  *size = length;
  return reinterpret_cast<CacheFind>(find);
}

long Win32UrlCache::findNext(CacheFind find, void* buffer, uint32_t* size) {
  if (!winInet().loaded) return ERROR_NO_MORE_ITEMS;
  DWORD length = *size;
  const BOOL ok = winInet().FindNextUrlCacheEntryA(reinterpret_cast<HANDLE>(find),
                                         static_cast<LPINTERNET_CACHE_ENTRY_INFOA>(buffer), &length);
  const long error = ok ? 0 : static_cast<long>(GetLastError());
  *size = length;
  return error;
}

long Win32UrlCache::deleteEntry(const std::string& url) {
  if (!winInet().loaded) return ERROR_FILE_NOT_FOUND;
  return winInet().DeleteUrlCacheEntryA(url.c_str()) ? 0 : static_cast<long>(GetLastError());
}

void Win32UrlCache::findClose(CacheFind find) {
  if (winInet().loaded) winInet().FindCloseUrlCache(reinterpret_cast<HANDLE>(find));
}

}  // namespace platform::win32

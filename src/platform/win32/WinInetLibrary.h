#pragma once
// WinINet reached at run time: Windows 95 and NT 4 without Internet Explorer lack it, and a
// static import would keep the whole program from starting there.
#include <windows.h>
#include <wininet.h>

namespace platform::win32 {

struct WinInet {
  decltype(&::InternetOpenA) InternetOpenA = nullptr;
  decltype(&::InternetOpenUrlA) InternetOpenUrlA = nullptr;
  decltype(&::InternetReadFile) InternetReadFile = nullptr;
  decltype(&::InternetCloseHandle) InternetCloseHandle = nullptr;
  decltype(&::HttpQueryInfoA) HttpQueryInfoA = nullptr;
  decltype(&::FindFirstUrlCacheEntryA) FindFirstUrlCacheEntryA = nullptr;
  decltype(&::FindNextUrlCacheEntryA) FindNextUrlCacheEntryA = nullptr;
  decltype(&::DeleteUrlCacheEntryA) DeleteUrlCacheEntryA = nullptr;
  decltype(&::FindCloseUrlCache) FindCloseUrlCache = nullptr;
  bool loaded = false;  // every function above was found
};

// Loads the library on first use, which the window thread makes before any worker runs.
const WinInet& winInet();

}  // namespace platform::win32

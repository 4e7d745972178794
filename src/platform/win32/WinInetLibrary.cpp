#include "platform/win32/WinInetLibrary.h"

namespace platform::win32 {

namespace {

template <typename Fn>
void find(HMODULE module, const char* name, Fn* out) {
  *out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

WinInet load() {
  WinInet api;
  HMODULE module = LoadLibraryA("wininet.dll");
  if (!module) return api;
  find(module, "InternetOpenA", &api.InternetOpenA);
  find(module, "InternetOpenUrlA", &api.InternetOpenUrlA);
  find(module, "InternetReadFile", &api.InternetReadFile);
  find(module, "InternetCloseHandle", &api.InternetCloseHandle);
  find(module, "HttpQueryInfoA", &api.HttpQueryInfoA);
  find(module, "FindFirstUrlCacheEntryA", &api.FindFirstUrlCacheEntryA);
  find(module, "FindNextUrlCacheEntryA", &api.FindNextUrlCacheEntryA);
  find(module, "DeleteUrlCacheEntryA", &api.DeleteUrlCacheEntryA);
  find(module, "FindCloseUrlCache", &api.FindCloseUrlCache);
  api.loaded = api.InternetOpenA && api.InternetOpenUrlA && api.InternetReadFile && api.InternetCloseHandle &&
               api.HttpQueryInfoA && api.FindFirstUrlCacheEntryA && api.FindNextUrlCacheEntryA &&
               api.DeleteUrlCacheEntryA && api.FindCloseUrlCache;
  if (!api.loaded) api = WinInet{};  // all or nothing, so callers test one flag
  return api;
}

}  // namespace

const WinInet& winInet() {
  static const WinInet api = load();
  return api;
}

}  // namespace platform::win32

// The shell's special folders.
#include <windows.h>

#include <shlobj.h>

#include "platform/win32/LateFunction.h"
#include "platform/win32/Win32Shell.h"

namespace platform::win32 {

namespace {
using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
}

bool Win32Shell::specialFolderLocation(std::uintptr_t owner, int csidl, std::string* path) {
  static const auto locate =
      lateFunction<decltype(&::SHGetSpecialFolderLocation)>("shell32.dll", "SHGetSpecialFolderLocation");
  static const auto pathOf = lateFunction<decltype(&::SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
  static const auto allocatorOf = lateFunction<decltype(&::SHGetMalloc)>("shell32.dll", "SHGetMalloc");
  if (!locate || !pathOf || !allocatorOf) return false;
  LPITEMIDLIST list = nullptr;
  if (FAILED(locate(reinterpret_cast<HWND>(owner), csidl, &list)) || !list) return false;
  char buffer[MAX_PATH + 1] = {};
  const BOOL ok = pathOf(list, buffer);
  // The shell's allocator frees the list; CoTaskMemFree needs ole32, which the shell has loaded.
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(allocatorOf(&allocator)) && allocator) {
    allocator->Free(list);
    allocator->Release();
  }
  if (!ok) return false;
  *path = buffer;
  return true;
}

long Win32Shell::folderPath(std::uintptr_t owner, int csidl, std::string* path) {
  // shfolder.dll is a redistributable that early Windows 95 and 98 lack: looked up, not
  // linked, and kept once loaded (a run asks for a dozen folders, each load costs).
  static const auto lookup = lateFunction<GetFolderPathFn>("shfolder.dll", "SHGetFolderPathA");
  if (!lookup) return static_cast<long>(0x80004001u);  // E_NOTIMPL
  char buffer[MAX_PATH + 1] = {};
  const HRESULT hr = lookup(reinterpret_cast<HWND>(owner), csidl, nullptr, 0, buffer);
  if (SUCCEEDED(hr)) *path = buffer;
  return static_cast<long>(hr);
}

}  // namespace platform::win32

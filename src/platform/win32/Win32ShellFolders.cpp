// The shell's special folders.
#include <windows.h>

#include <shlobj.h>

#include "platform/win32/Win32Shell.h"

namespace platform::win32 {

namespace {
using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
}

bool Win32Shell::specialFolderLocation(std::uintptr_t owner, int csidl, std::string* path) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(reinterpret_cast<HWND>(owner), csidl, &list)) || !list) return false;
  char buffer[MAX_PATH + 1] = {};
  const BOOL ok = SHGetPathFromIDListA(list, buffer);
  // The shell's allocator frees the list; CoTaskMemFree needs ole32, which the shell has loaded.
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
    allocator->Free(list);
    allocator->Release();
  }
  if (!ok) return false;
  *path = buffer;
  return true;
}

long Win32Shell::folderPath(std::uintptr_t owner, int csidl, std::string* path) {
  // shfolder.dll is a redistributable that early Windows 95 and 98 lack: looked up, not linked.
  HMODULE shfolder = LoadLibraryA("shfolder.dll");
  auto lookup = shfolder ? reinterpret_cast<GetFolderPathFn>(reinterpret_cast<void*>(GetProcAddress(shfolder, "SHGetFolderPathA"))) : nullptr;
  if (!lookup) {
    if (shfolder) FreeLibrary(shfolder);
    return static_cast<long>(0x80004001u);  // E_NOTIMPL
  }
  char buffer[MAX_PATH + 1] = {};
  const HRESULT hr = lookup(reinterpret_cast<HWND>(owner), csidl, nullptr, 0, buffer);
  if (SUCCEEDED(hr)) *path = buffer;
  FreeLibrary(shfolder);
  return static_cast<long>(hr);
}

}  // namespace platform::win32

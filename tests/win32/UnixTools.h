#pragma once
// Reaching the Unix side from a test that runs under Wine: the Unix path of a Windows
// path, and the Unix tools the test prefix keeps for making and removing links.
#include <windows.h>

#include <string>

namespace winetest {

// The Unix path Wine maps a Windows path to; empty outside Wine.
inline std::string unixPath(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
  char* path = toUnix(wide);
  if (!path) return {};
  std::string result = path;
  HeapFree(GetProcessHeap(), 0, path);
  return result;
}

// Waits up to ten seconds for `done`.
template <typename Done>
bool waitFor(Done done) {
  for (int i = 0; i < 1000 && !done(); ++i) Sleep(10);
  return done();
}

// Starts one of the Unix tools the test prefix keeps in C:\unixtools ("ln", "rm"): Wine
// starts ELF binaries natively, and does not wait for them: callers wait for the effect.
inline bool runUnix(const std::string& tool, const std::string& arguments) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const std::string image = "C:\\unixtools\\" + tool;
  std::string line = tool + " " + arguments;
  if (!CreateProcessA(image.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  // A Unix program has no Windows process: Wine hands back no process handle, and 32-bit
  // Wine leaves stray values in the rest, which may be handles of ours (closing one closed
  // the driver's HKEY_CURRENT_USER).
  if (pi.hProcess) {
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  return true;
}

}  // namespace winetest

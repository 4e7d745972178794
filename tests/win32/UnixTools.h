#pragma once
// Reaching the Unix side from a test that runs under Wine: the Unix path of a Windows
// path, and the Unix tools the test prefix keeps for making and removing links.
#include <windows.h>

#include <cstdio>
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

// Fills `folder` with `count` (at most 100,000) files of one byte, named `stem` and five
// digits from 00000, then ".tmp", in one go: Wine looks through a folder for another case
// of every name made new, so making 20,000 one by one takes minutes. False unless every
// file is there within a minute.
inline bool seedFiles(const std::string& folder, const std::string& stem, int count) {
  const std::string bytes = folder + "-seed.bin";
  HANDLE file = CreateFileA(bytes.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string ones(static_cast<size_t>(count), 'x');
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, ones.data(), static_cast<DWORD>(ones.size()), &written, nullptr);
  CloseHandle(file);
  if (!wrote || written != ones.size()) return false;
  char last[16];
  std::snprintf(last, sizeof last, "%05d.tmp", count - 1);
  const std::string lastPath = folder + "\\" + stem + last;
  // Only split's own last file may end the wait: one left from before would end it at once.
  DeleteFileA(lastPath.c_str());
  const bool started = runUnix("split", "-b 1 -d -a 5 --additional-suffix=.tmp \"" + unixPath(bytes) + "\" \"" +
                                            unixPath(folder) + "/" + stem + "\"");
  bool done = false;
  for (int i = 0; started && i < 6000 && !done; ++i) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    done = GetFileAttributesExA(lastPath.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow == 1;
    if (!done) Sleep(10);
  }
  DeleteFileA(bytes.c_str());
  return done;
}

}  // namespace winetest

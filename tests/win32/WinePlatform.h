#pragma once
// The real Windows platform bundle for tests that run under Wine: the program's own
// services, no window, and throwaway folders and keys of a test's own.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "UnixTools.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32EventLoop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32UrlCache.h"
#include "platform/win32/Win32UrlHistory.h"
#include "program/App.h"

namespace winetest {

// The real event loop, with a hook that runs each time the program yields to it.
class HookedLoop : public platform::win32::Win32EventLoop {
 public:
  std::function<void()> onYield;

 protected:
  void dispatchPending() override {
    if (onYield) onYield();
    Win32EventLoop::dispatchPending();
  }
};

// The real system services, except that a request to end the Windows session is only
// recorded: no test may log off or restart the machine it runs on.
class SessionSafeSystem : public platform::win32::Win32System {
 public:
  using Win32System::Win32System;
  struct ExitRequest {
    uint32_t flags, reason;
  };
  std::vector<ExitRequest> exitRequests;
  bool exitWindows(uint32_t flags, uint32_t reason) override {
    exitRequests.push_back({flags, reason});
    return true;
  }
};

// Assembled as WinMain assembles it, with the session kept safe.
struct WinePlatform {
  HookedLoop loop;
  platform::win32::Win32Registry registry;
  platform::win32::Win32FileSystem files;
  platform::win32::Win32Shell shell;
  SessionSafeSystem system{"Quellery.WineTest"};
  platform::win32::Win32UrlCache urlCache;
  platform::win32::Win32UrlHistory urlHistory;
  platform::win32::Win32Launcher launcher;
  platform::win32::Win32Desktop desktop;
  platform::win32::Win32Http http{"Quellery", loop};
  platform::Platform os{loop, registry, files, shell, system, urlCache, urlHistory, launcher, desktop, &http};
  program::App app{os};
};

inline std::string tempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  return path;  // ends in "\\"
}

inline bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Removes a throwaway tree without ever following a link inside it: under Wine,
// removing a link to a folder through Windows calls removes the folder it names.
inline void removeTree(const std::string& folder) {
  // Only ever below the temp folder.
  const std::string temp = tempFolder();
  if (folder.size() <= temp.size() || folder.compare(0, temp.size(), temp) != 0) return;
  const std::string unix = unixPath(folder);
  if (!unix.empty()) {
    if (exists(folder) && runUnix("rm", "-rf \"" + unix + "\""))
      waitFor([&] { return !exists(folder); });
    return;
  }
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        removeTree(path);
      else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryA(path.c_str());
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(folder.c_str());
}

// A folder of its own under the temp folder, emptied away at the end (no trailing "\\").
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) : path_(tempFolder() + name) {
    removeTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { removeTree(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline void writeFile(const std::string& path, const std::string& text = "x",
                      DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
  if (attributes != FILE_ATTRIBUTE_NORMAL) SetFileAttributesA(path.c_str(), attributes);
}

}  // namespace winetest

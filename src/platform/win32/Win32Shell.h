#pragma once
#include <windows.h>

#include <set>
#include <utility>

#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell : public Shell {
 public:
  bool notifyIcon(uint32_t operation, const TrayIconRecord& record) override;
  bool openDocument(const std::string& target) override;
  // Win32ShellCleaning.cpp
  long emptyRecycleBin(std::uintptr_t owner, const std::string& drive, uint32_t flags) override;
  std::vector<RecycleBinContents> recycleBinContents() override;
  void clearRecentDocuments() override;
  bool openClipboard(std::uintptr_t owner) override;
  bool emptyClipboard() override;
  bool closeClipboard() override;
  std::string windowsFolder() override;
  std::string systemFolder() override;
  // Win32ShellFolders.cpp
  bool specialFolderLocation(std::uintptr_t owner, int csidl, std::string* path) override;
  long folderPath(std::uintptr_t owner, int csidl, std::string* path) override;
  int messageBox(std::uintptr_t owner, const std::string& text, const std::string& title, uint32_t type) override;

  // Removes every icon this process added and has not removed: an icon of a process
  // that has ended stays in the notification area until the mouse passes over it.
  void removeStrayIcons();
  size_t iconCount() const { return icons_.size(); }

 private:
  std::set<std::pair<std::uintptr_t, uint32_t>> icons_;  // window, icon id
};

// The shell's record, as Shell_NotifyIconA reads it.
NOTIFYICONDATAA toNotifyIconData(const TrayIconRecord& record);

}  // namespace platform::win32

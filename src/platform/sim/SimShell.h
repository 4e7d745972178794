#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace platform::sim {

// Records what the program asked of the shell.
class SimShell : public Shell {
 public:
  bool notifyIcon(uint32_t operation, const TrayIconRecord& record) override;
  bool openDocument(const std::string& target) override;

  long emptyRecycleBin(std::uintptr_t owner, const std::string& drive, uint32_t flags) override;
  std::vector<RecycleBinContents> recycleBinContents() override;
  void clearRecentDocuments() override;
  bool openClipboard(std::uintptr_t owner) override;
  bool emptyClipboard() override;
  bool closeClipboard() override;
  std::string windowsFolder() override { return windowsDir; }
  std::string systemFolder() override { return systemDir; }
  // SimShellFolders.cpp
  bool specialFolderLocation(std::uintptr_t owner, int csidl, std::string* path) override;
  long folderPath(std::uintptr_t owner, int csidl, std::string* path) override;
  int messageBox(std::uintptr_t owner, const std::string& text, const std::string& title, uint32_t type) override {
    messageBoxes.push_back({owner, text, title, type});
    return 1;  // OK
  }
  struct MessageBoxShown {
    std::uintptr_t owner;
    std::string text, title;
    uint32_t type;
  };
  std::vector<MessageBoxShown> messageBoxes;
  // The shell's folders by CSIDL; a missing id makes both lookups fail. Each lookup may
  // also be made to miss ids the other answers, as on Windows 95 without shfolder.dll.
  std::set<int> missingFromFolderPath, missingFromLocation;
  std::map<int, std::string> specialFolders{
      {6, "C:\\Documents and Settings\\User\\Favorites"},
      {26, "C:\\Documents and Settings\\User\\Application Data"},
      {32, "C:\\Documents and Settings\\User\\Local Settings\\Temporary Internet Files"},
      {33, "C:\\Documents and Settings\\User\\Cookies"},
      {34, "C:\\Documents and Settings\\User\\Local Settings\\History"},
      {40, "C:\\Documents and Settings\\User"}};

  int trayIcons = 0;  // icons currently in the notification area
  TrayIconRecord lastTrayRecord;
  std::vector<std::string> opened;

  struct RecycleRequest {
    std::uintptr_t owner;
    std::string drive;
    uint32_t flags;
  };
  std::vector<RecycleRequest> recycleRequests;
  // Drive root ("C:\\") to the number of items in its bin; emptied when asked for that
  // drive or for every drive.
  std::map<std::string, int> recycleBins;
  std::map<std::string, uint64_t> recycleBinBytes;  // what each bin's items take
  bool recycleBinsTold = true;  // false plays a shell without SHQueryRecycleBinA
  long recycleResult = 0;  // S_OK

  std::vector<std::string> recentDocuments;
  int recentDocumentsClears = 0;

  std::string clipboardText;
  bool clipboardHeldElsewhere = false;  // another program has it open
  bool clipboardOpen = false;           // open by this program
  std::uintptr_t clipboardOwner = 0;

  std::string windowsDir = "C:\\WINDOWS";
  std::string systemDir = "C:\\WINDOWS\\SYSTEM32";
};

}  // namespace platform::sim

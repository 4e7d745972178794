#pragma once
// Notification-area icon and other shell services.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// NOTIFYICONDATAA as the program fills it (88 bytes on the platform).
struct TrayIconRecord {
  uint32_t cbSize = 0;
  std::uintptr_t hWnd = 0;
  uint32_t uId = 0;
  uint32_t uFlags = 0;
  uint32_t uCallbackMessage = 0;
  std::uintptr_t hIcon = 0;
  std::string szTip;  // at most 63 characters reach the shell
};

namespace trayop {
constexpr uint32_t Add = 0, Modify = 1, Delete = 2;
}

// What a drive's recycle bin holds (SHQueryRecycleBinA).
struct RecycleBinContents {
  std::string drive;  // its root, "C:\\"
  uint64_t bytes = 0, items = 0;
  bool known = false;  // false where the shell cannot tell: then bytes and items are 0
};

namespace mbicon {
constexpr uint32_t Critical = 0x10, Exclamation = 0x30, Information = 0x40;
}

class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool notifyIcon(uint32_t operation, const TrayIconRecord& record) = 0;  // Shell_NotifyIconA
  // ShellExecuteA with the "open" verb and a normal window.
  virtual bool openDocument(const std::string& target) = 0;

  // SHEmptyRecycleBinA: `drive` is a root such as "C:\\", or empty for every drive;
  // `flags` the SHERB_ bits. Returns the HRESULT.
  virtual long emptyRecycleBin(std::uintptr_t owner, const std::string& drive, uint32_t flags) = 0;
  // The recycle bins of the fixed drives that hold something; where the shell cannot tell
  // (it has no SHQueryRecycleBinA), every fixed drive's, not known.
  virtual std::vector<RecycleBinContents> recycleBinContents() = 0;
  // SHAddToRecentDocs(SHARD_PIDL, NULL): empties the recent documents list.
  virtual void clearRecentDocuments() = 0;
  // OpenClipboard, EmptyClipboard, CloseClipboard.
  virtual bool openClipboard(std::uintptr_t owner) = 0;
  virtual bool emptyClipboard() = 0;
  virtual bool closeClipboard() = 0;
  // GetWindowsDirectoryA and GetSystemDirectoryA, which every Windows has (the shell's
  // folder ids for them came later); empty when the call fails.
  virtual std::string windowsFolder() = 0;
  virtual std::string systemFolder() = 0;

  // SHGetSpecialFolderLocation then SHGetPathFromIDListA for a CSIDL; false when the shell
  // reports failure.
  virtual bool specialFolderLocation(std::uintptr_t owner, int csidl, std::string* path) = 0;
  // SHGetFolderPathA (shfolder.dll) for a CSIDL, the current path; the HRESULT.
  virtual long folderPath(std::uintptr_t owner, int csidl, std::string* path) = 0;

  // MessageBoxA; the button pressed.
  virtual int messageBox(std::uintptr_t owner, const std::string& text, const std::string& title, uint32_t type) = 0;
};

}  // namespace platform

#pragma once
// Notification-area icon and other shell services.
#include <cstdint>
#include <string>

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

class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool notifyIcon(uint32_t operation, const TrayIconRecord& record) = 0;  // Shell_NotifyIconA
  // ShellExecuteA with the "open" verb and a normal window.
  virtual bool openDocument(const std::string& target) = 0;
};

}  // namespace platform

#include "platform/win32/Win32Shell.h"

#include <shellapi.h>

#include <cstring>

namespace platform::win32 {

NOTIFYICONDATAA toNotifyIconData(const TrayIconRecord& record) {
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  // The record's size (88, the first layout) tells every shell which fields follow.
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;  // the size every shell accepts, on 32 and 64 bits
  data.hWnd = reinterpret_cast<HWND>(record.hWnd);
  data.uID = record.uId;
  data.uFlags = record.uFlags;
  data.uCallbackMessage = record.uCallbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.hIcon);
  const size_t tipLength = record.szTip.size() < 63 ? record.szTip.size() : 63;
  std::memcpy(data.szTip, record.szTip.data(), tipLength);
  return data;
}

bool Win32Shell::notifyIcon(uint32_t operation, const TrayIconRecord& record) {
  NOTIFYICONDATAA data = toNotifyIconData(record);
  const bool ok = Shell_NotifyIconA(operation, &data) != FALSE;
  const auto key = std::make_pair(record.hWnd, record.uId);
  if (operation == NIM_ADD && ok) icons_.insert(key);
  if (operation == NIM_DELETE) icons_.erase(key);
  return ok;
}

bool Win32Shell::openDocument(const std::string& target) {
  const HINSTANCE result = ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Shell::messageBox(std::uintptr_t owner, const std::string& text, const std::string& title, uint32_t icon) {
  MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), title.c_str(), MB_OK | icon);
}

void Win32Shell::removeStrayIcons() {
  for (const auto& icon : icons_) {
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(icon.first);
    data.uID = icon.second;
    Shell_NotifyIconA(NIM_DELETE, &data);
  }
  icons_.clear();
}

}  // namespace platform::win32

#include "platform/win32/Win32Shell.h"

#include <shellapi.h>

#include <cstring>

#include "platform/win32/LateFunction.h"

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

namespace {

BOOL notifyShell(DWORD operation, NOTIFYICONDATAA* data) {
  static const auto notify = lateFunction<decltype(&::Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
  return notify ? notify(operation, data) : FALSE;
}

}  // namespace

bool Win32Shell::notifyIcon(uint32_t operation, const TrayIconRecord& record) {
  NOTIFYICONDATAA data = toNotifyIconData(record);
  const bool ok = notifyShell(operation, &data) != FALSE;
  const auto key = std::make_pair(record.hWnd, record.uId);
  if (operation == NIM_ADD && ok) icons_.insert(key);
  if (operation == NIM_DELETE) icons_.erase(key);
  return ok;
}

bool Win32Shell::openDocument(const std::string& target) {
  static const auto execute = lateFunction<decltype(&::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  if (!execute) return false;
  const HINSTANCE result = execute(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Shell::removeStrayIcons() {
  for (const auto& icon : icons_) {
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(icon.first);
    data.uID = icon.second;
    notifyShell(NIM_DELETE, &data);
  }
  icons_.clear();
}

int Win32Shell::messageBox(std::uintptr_t owner, const std::string& text, const std::string& title, uint32_t type) {
  return MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), title.c_str(), type);
}

}  // namespace platform::win32

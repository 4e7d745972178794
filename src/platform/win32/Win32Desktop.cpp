#include "platform/win32/Win32Desktop.h"

#include <windows.h>

namespace platform::win32 {

namespace {

HWND hwndOf(WindowHandle window) { return reinterpret_cast<HWND>(window); }

struct Visit {
  const std::function<bool(WindowHandle)>* visit;
};

BOOL CALLBACK visitWindow(HWND hwnd, LPARAM param) {
  auto* v = reinterpret_cast<Visit*>(param);
  // Nothing may unwind through Windows' enumeration; a failing visitor ends it.
  try {
    return (*v->visit)(reinterpret_cast<WindowHandle>(hwnd)) ? TRUE : FALSE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

WindowHandle Win32Desktop::findWindowByClass(const std::string& className) {
  return reinterpret_cast<WindowHandle>(FindWindowA(className.c_str(), nullptr));
}

void Win32Desktop::enumWindows(const std::function<bool(WindowHandle)>& visit) {
  Visit v{&visit};
  EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&v));
}

std::string Win32Desktop::windowText(WindowHandle window) {
  const int length = GetWindowTextLengthA(hwndOf(window));
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwndOf(window), &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

bool Win32Desktop::isWindow(WindowHandle window) { return IsWindow(hwndOf(window)) != FALSE; }

bool Win32Desktop::isIconic(WindowHandle window) { return IsIconic(hwndOf(window)) != FALSE; }

intptr_t Win32Desktop::sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return SendMessageA(hwndOf(window), message, wParam, lParam);
}

bool Win32Desktop::postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return PostMessageA(hwndOf(window), message, wParam, lParam) != FALSE;
}

bool Win32Desktop::setForegroundWindow(WindowHandle window) { return SetForegroundWindow(hwndOf(window)) != FALSE; }

int16_t Win32Desktop::asyncKeyState(int virtualKey) { return GetAsyncKeyState(virtualKey); }

}  // namespace platform::win32

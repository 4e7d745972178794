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

uint32_t Win32Desktop::foregroundThread() {
  HWND front = GetForegroundWindow();
  return front ? GetWindowThreadProcessId(front, nullptr) : 0;
}

uint32_t Win32Desktop::programThread() { return GetCurrentThreadId(); }

bool Win32Desktop::attachThreadInput(uint32_t thread, uint32_t toThread, bool attach) {
  return AttachThreadInput(thread, toThread, attach ? TRUE : FALSE) != FALSE;
}

std::vector<WindowHandle> Win32Desktop::programWindows() {
  std::vector<WindowHandle> own;
  const DWORD thread = GetCurrentThreadId();
  // Tool tips and hidden helper windows have no title bar; forms and dialogs do.
  enumWindows([&](WindowHandle window) {
    HWND hwnd = hwndOf(window);
    if (GetWindowThreadProcessId(hwnd, nullptr) == thread && IsWindowVisible(hwnd) &&
        (GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
      own.push_back(window);
    return true;
  });
  return own;
}

void Win32Desktop::showWindow(WindowHandle window, bool show) { ShowWindow(hwndOf(window), show ? SW_SHOWNA : SW_HIDE); }

int16_t Win32Desktop::asyncKeyState(int virtualKey) { return GetAsyncKeyState(virtualKey); }

}  // namespace platform::win32

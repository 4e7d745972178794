#pragma once
// The other programs' windows and the keyboard, as the panic sweep and the hot keys see
// them: top-level windows found by class or title, messages to them, the key states.
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

using WindowHandle = std::uintptr_t;

namespace winmsg {
constexpr uint32_t Close = 0x0010;      // WM_CLOSE
constexpr uint32_t Command = 0x0111;    // WM_COMMAND
constexpr uint32_t SysCommand = 0x0112; // WM_SYSCOMMAND
constexpr uintptr_t ScRestore = 0xF120; // SC_RESTORE
}  // namespace winmsg

namespace vkey {
constexpr int Control = 0x11, H = 72, U = 85, F1 = 112, F2 = 113, F11 = 122, F12 = 123;
}

class Desktop {
 public:
  virtual ~Desktop() = default;
  // FindWindowA with a class and any title; 0 when there is none.
  virtual WindowHandle findWindowByClass(const std::string& className) = 0;
  // EnumWindows: `visit` sees every top-level window until it returns false.
  virtual void enumWindows(const std::function<bool(WindowHandle)>& visit) = 0;
  // GetWindowTextLengthA, then GetWindowTextA with room for the terminating zero.
  virtual std::string windowText(WindowHandle window) = 0;
  virtual bool isWindow(WindowHandle window) = 0;
  virtual bool isIconic(WindowHandle window) = 0;
  virtual intptr_t sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual bool postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual bool setForegroundWindow(WindowHandle window) = 0;
  // GetAsyncKeyState: top bit while the key is down, lowest bit when it was pressed since
  // the previous query.
  virtual int16_t asyncKeyState(int virtualKey) = 0;
};

}  // namespace platform

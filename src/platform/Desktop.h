#pragma once
// The other programs' windows and the keyboard, as the panic sweep and the hot keys see
// them: top-level windows found by class or title, messages to them, the key states.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
constexpr int LeftControl = 0xA2, RightControl = 0xA3;  // told apart by Windows NT only
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
  // Windows 98 and 2000 on refuse it to a program whose thread neither owns the
  // foreground window nor shares its input (AttachThreadInput).
  virtual bool setForegroundWindow(WindowHandle window) = 0;
  // The thread of the foreground window (0 when there is none), and the program's own.
  virtual uint32_t foregroundThread() = 0;
  virtual uint32_t programThread() = 0;
  // AttachThreadInput: `thread` shares (or stops sharing) the input state of `toThread`.
  virtual bool attachThreadInput(uint32_t thread, uint32_t toThread, bool attach) = 0;
  // The program's own visible top-level windows that have a title bar (its forms and
  // dialogs), topmost first.
  virtual std::vector<WindowHandle> programWindows() = 0;
  // ShowWindow: hides, or shows without taking the activation (SW_SHOWNA).
  virtual void showWindow(WindowHandle window, bool show) = 0;
  // GetAsyncKeyState: top bit while the key is down, lowest bit when it was pressed since
  // the previous query.
  virtual int16_t asyncKeyState(int virtualKey) = 0;
};

}  // namespace platform

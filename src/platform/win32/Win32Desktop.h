#pragma once
#include "platform/Desktop.h"

namespace platform::win32 {

class Win32Desktop : public Desktop {
 public:
  WindowHandle findWindowByClass(const std::string& className) override;
  void enumWindows(const std::function<bool(WindowHandle)>& visit) override;
  std::string windowText(WindowHandle window) override;
  bool isWindow(WindowHandle window) override;
  bool isIconic(WindowHandle window) override;
  intptr_t sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool setForegroundWindow(WindowHandle window) override;
  uint32_t foregroundThread() override;
  uint32_t programThread() override;
  bool attachThreadInput(uint32_t thread, uint32_t toThread, bool attach) override;
  std::vector<WindowHandle> programWindows() override;
  void showWindow(WindowHandle window, bool show) override;
  int16_t asyncKeyState(int virtualKey) override;
};

}  // namespace platform::win32

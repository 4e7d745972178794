#pragma once
// Other programs' top-level windows and the keyboard of the simulated machine.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace platform::sim {

class SimDesktop : public Desktop {
 public:
  struct Window {
    std::string className, title;
    bool iconic = false;
    bool refusesClose = false;  // a browser that will not close (a page asking to stay)
    uint32_t thread = kOtherThread;  // another program's, unless opened as the program's own
    bool visible = true;
  };
  static constexpr uint32_t kProgramThread = 1, kOtherThread = 2;
  struct Message {
    WindowHandle window;
    std::string className;  // of the window when the message was posted or sent
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
  };

  // Opens a window on top of the others (EnumWindows sees it first).
  WindowHandle open(const std::string& className, const std::string& title);
  // One of the program's own windows (its main window, a form or a dialog).
  WindowHandle openOwn(const std::string& className, const std::string& title);
  bool exists(WindowHandle window) const { return windows_.count(window) != 0; }
  Window& window(WindowHandle handle) { return windows_.at(handle); }
  size_t countOfClass(const std::string& className) const;

  // Key presses; a press sets the pressed-since bit, which the next query of the key clears.
  void press(int virtualKey);
  void release(int virtualKey);

  WindowHandle findWindowByClass(const std::string& className) override;
  void enumWindows(const std::function<bool(WindowHandle)>& visit) override;
  std::string windowText(WindowHandle window) override;
  bool isWindow(WindowHandle window) override { return exists(window); }
  bool isIconic(WindowHandle window) override;
  // WM_SYSCOMMAND SC_RESTORE restores a minimised window.
  intptr_t sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  // WM_CLOSE closes the window unless it refuses to; the taskbar's command 419
  // minimises every window.
  bool postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool setForegroundWindow(WindowHandle window) override;
  uint32_t foregroundThread() override;
  uint32_t programThread() override { return kProgramThread; }
  bool attachThreadInput(uint32_t thread, uint32_t toThread, bool attach) override;
  std::vector<WindowHandle> programWindows() override;
  void showWindow(WindowHandle window, bool show) override;
  int16_t asyncKeyState(int virtualKey) override;

  std::vector<Message> sent, posted;
  std::function<void(const Message&)> onPost;  // sees each posted message first
  WindowHandle foreground = 0;
  // Windows 98 and 2000 on: the foreground is refused to a thread without it.
  bool foregroundLock = true;
  std::vector<std::pair<uint32_t, uint32_t>> attachedInputs;

 private:
  struct Key {
    bool down = false, pressedSince = false;
  };
  std::map<WindowHandle, Window> windows_;
  std::vector<WindowHandle> zOrder_;  // top first
  WindowHandle next_ = 0x10010;
  std::map<int, Key> keys_;
};

}  // namespace platform::sim

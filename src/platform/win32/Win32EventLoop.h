#pragma once
// The event loop on Windows: the thread's message queue, and timers delivered to a
// hidden window of their own so that they run before any other window exists.
#include <windows.h>

#include <functional>
#include <map>

#include "platform/EventLoop.h"

namespace platform::win32 {

class Win32EventLoop : public EventLoop {
 public:
  Win32EventLoop();
  ~Win32EventLoop() override;
  Win32EventLoop(const Win32EventLoop&) = delete;
  Win32EventLoop& operator=(const Win32EventLoop&) = delete;

  uint32_t tickCount() override;
  void waitForEvents(uint32_t maxMs) override;
  void setTimer(const void* owner, uint32_t intervalMs, std::function<void()> onTick) override;
  void killTimer(const void* owner) override;

  // A WM_QUIT that doEvents() took off the queue, kept for the main loop.
  bool quitRequested() const { return quitRequested_; }
  int quitCode() const { return quitCode_; }
  bool timerActive(const void* owner) const { return ids_.count(owner) != 0; }

 protected:
  void dispatchPending() override;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void fire(UINT_PTR id);

  HWND sink_ = nullptr;
  UINT_PTR nextId_ = 1;
  std::map<const void*, UINT_PTR> ids_;
  std::map<UINT_PTR, std::function<void()>> handlers_;
  bool quitRequested_ = false;
  int quitCode_ = 0;
};

}  // namespace platform::win32

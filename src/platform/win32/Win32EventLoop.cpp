#include "platform/win32/Win32EventLoop.h"

#include <exception>

namespace platform::win32 {

namespace {
const char kSinkClass[] = "QuelleryTimerSink";
}

Win32EventLoop::Win32EventLoop() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &Win32EventLoop::windowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kSinkClass;
  RegisterClassA(&wc);  // fails harmlessly when a second loop registers it again
  // Never shown. A message-only window where Windows has them (2000 on) costs less to make
  // than a hidden top-level one, which Windows 9x and NT 4 get when they refuse the parent.
  sink_ = CreateWindowA(kSinkClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!sink_) sink_ = CreateWindowA(kSinkClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  SetWindowLongPtrA(sink_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32EventLoop::~Win32EventLoop() {
  for (const auto& entry : handlers_) KillTimer(sink_, entry.first);
  SetWindowLongPtrA(sink_, GWLP_USERDATA, 0);
  DestroyWindow(sink_);
}

uint32_t Win32EventLoop::tickCount() { return GetTickCount(); }

void Win32EventLoop::dispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Posting it again would starve timers and paints for the rest of a run (Windows
      // hands out WM_QUIT before them); the main loop asks quitRequested() instead.
      quitRequested_ = true;
      quitCode_ = static_cast<int>(msg.wParam);
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Win32EventLoop::waitForEvents(uint32_t maxMs) {
  // Only the input kinds every Windows knows: a newer mask makes old ones refuse the wait.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, maxMs,
                            QS_KEY | QS_MOUSE | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE);
}

void Win32EventLoop::setTimer(const void* owner, uint32_t intervalMs, std::function<void()> onTick) {
  auto found = ids_.find(owner);
  const UINT_PTR id = found != ids_.end() ? found->second : nextId_++;
  ids_[owner] = id;
  handlers_[id] = std::move(onTick);
  // Same id again replaces the running timer, as the interface promises.
  SetTimer(sink_, id, intervalMs ? intervalMs : 1, nullptr);
}

void Win32EventLoop::killTimer(const void* owner) {
  auto found = ids_.find(owner);
  if (found == ids_.end()) return;
  KillTimer(sink_, found->second);
  handlers_.erase(found->second);
  ids_.erase(found);
}

void Win32EventLoop::fire(UINT_PTR id) {
  auto found = handlers_.find(id);
  if (found == handlers_.end()) return;
  // A copy: the handler may replace or kill its own timer while it runs.
  std::function<void()> onTick = found->second;
  try {
    onTick();
  } catch (...) {
    // Handlers report their own errors; nothing may unwind through the window procedure.
  }
}

LRESULT CALLBACK Win32EventLoop::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    auto* self = reinterpret_cast<Win32EventLoop*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) self->fire(wParam);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace platform::win32

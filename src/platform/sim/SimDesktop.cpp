#include "platform/sim/SimDesktop.h"

#include <algorithm>

namespace platform::sim {

namespace {
constexpr uintptr_t kMinimizeAll = 419;  // the taskbar's "Minimize All Windows"
}

WindowHandle SimDesktop::open(const std::string& className, const std::string& title) {
  const WindowHandle handle = next_;
  next_ += 0x10;
  windows_[handle] = Window{className, title};
  zOrder_.insert(zOrder_.begin(), handle);
  return handle;
}

WindowHandle SimDesktop::openOwn(const std::string& className, const std::string& title) {
  const WindowHandle handle = open(className, title);
  windows_.at(handle).thread = kProgramThread;
  return handle;
}

size_t SimDesktop::countOfClass(const std::string& className) const {
  return std::count_if(windows_.begin(), windows_.end(),
                       [&](const auto& entry) { return entry.second.className == className; });
}

void SimDesktop::press(int virtualKey) {
  Key& key = keys_[virtualKey];
  key.down = key.pressedSince = true;
}

void SimDesktop::release(int virtualKey) { keys_[virtualKey].down = false; }

WindowHandle SimDesktop::findWindowByClass(const std::string& className) {
  for (WindowHandle handle : zOrder_)
    if (windows_.at(handle).className == className) return handle;
  return 0;
}

void SimDesktop::enumWindows(const std::function<bool(WindowHandle)>& visit) {
  const std::vector<WindowHandle> order = zOrder_;  // the visitor may close windows
  for (WindowHandle handle : order)
    if (!visit(handle)) return;
}

std::string SimDesktop::windowText(WindowHandle window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? std::string() : found->second.title;
}

bool SimDesktop::isIconic(WindowHandle window) {
  auto found = windows_.find(window);
  return found != windows_.end() && found->second.iconic;
}

intptr_t SimDesktop::sendMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto found = windows_.find(window);
  sent.push_back({window, found == windows_.end() ? std::string() : found->second.className, message, wParam, lParam});
  if (found == windows_.end()) return 0;
  if (message == winmsg::SysCommand && wParam == winmsg::ScRestore) found->second.iconic = false;
  return 0;
}

bool SimDesktop::postMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto found = windows_.find(window);
  if (found == windows_.end()) return false;
  const Message posting{window, found->second.className, message, wParam, lParam};
  posted.push_back(posting);
  if (onPost) onPost(posting);
  if (message == winmsg::Close && !found->second.refusesClose) {
    windows_.erase(found);
    zOrder_.erase(std::find(zOrder_.begin(), zOrder_.end(), window));
  } else if (message == winmsg::Command && wParam == kMinimizeAll) {
    for (auto& entry : windows_) entry.second.iconic = true;
  }
  return true;
}

bool SimDesktop::setForegroundWindow(WindowHandle window) {
  if (!exists(window)) return false;
  const uint32_t front = foregroundThread();
  const bool attached = std::find(attachedInputs.begin(), attachedInputs.end(),
                                  std::make_pair(kProgramThread, front)) != attachedInputs.end();
  if (foregroundLock && front != 0 && front != kProgramThread && !attached) return false;
  foreground = window;
  return true;
}

uint32_t SimDesktop::foregroundThread() {
  auto found = windows_.find(foreground);
  return found == windows_.end() ? 0 : found->second.thread;
}

bool SimDesktop::attachThreadInput(uint32_t thread, uint32_t toThread, bool attach) {
  const auto pair = std::make_pair(thread, toThread);
  auto found = std::find(attachedInputs.begin(), attachedInputs.end(), pair);
  if (attach && found == attachedInputs.end()) attachedInputs.push_back(pair);
  if (!attach && found != attachedInputs.end()) attachedInputs.erase(found);
  return true;
}

std::vector<WindowHandle> SimDesktop::programWindows() {
  std::vector<WindowHandle> own;
  for (WindowHandle handle : zOrder_) {
    const Window& w = windows_.at(handle);
    if (w.thread == kProgramThread && w.visible) own.push_back(handle);
  }
  return own;
}

void SimDesktop::showWindow(WindowHandle window, bool show) {
  auto found = windows_.find(window);
  if (found != windows_.end()) found->second.visible = show;
}

int16_t SimDesktop::asyncKeyState(int virtualKey) {
  Key& key = keys_[virtualKey];
  const uint16_t word = (key.down ? 0x8000 : 0) | (key.pressedSince ? 1 : 0);
  key.pressedSince = false;
  return static_cast<int16_t>(word);
}

}  // namespace platform::sim

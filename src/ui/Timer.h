#pragma once
#include "platform/EventLoop.h"

#include <functional>

namespace ui {

// A window timer: fires onTimer every interval while enabled. An interval of 0 never fires.
// A tick that arrives while the previous one is still being handled is dropped, unless
// ticksWhileBusy asks for it: a clock whose handler holds long work keeps counting.
class Timer {
 public:
  Timer(std::string name, uint32_t interval) : name_(std::move(name)), interval_(interval) {}
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void attach(platform::EventLoop* loop);
  const std::string& name() const { return name_; }
  uint32_t interval() const { return interval_; }
  void setInterval(uint32_t ms);
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  std::function<void()> onTimer;
  bool ticksWhileBusy = false;

 private:
  void arm();
  std::string name_;
  uint32_t interval_;
  bool enabled_ = true;
  bool busy_ = false;
  platform::EventLoop* loop_ = nullptr;
};

}  // namespace ui

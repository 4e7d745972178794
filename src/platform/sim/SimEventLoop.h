#pragma once
// A virtual millisecond clock: time moves only while the program waits or dispatches,
// firing timers and scripted events (a click at t = 3.2 s) when they fall due.
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/EventLoop.h"

namespace platform::sim {

class SimEventLoop : public EventLoop {
 public:
  uint32_t tickCount() override { return now_; }
  void waitForEvents(uint32_t maxMs) override;
  void setTimer(const void* owner, uint32_t intervalMs, std::function<void()> onTick) override;
  void killTimer(const void* owner) override;

  // Runs `event` from the first dispatch at or after `atMs`.
  void at(uint32_t atMs, std::function<void()> event);
  // Each doEvents() moves the clock on by this much, so busy loops make progress.
  uint32_t dispatchCostMs = 1;
  uint64_t dispatchCount() const { return dispatches_; }
  bool timerActive(const void* owner) const { return timers_.count(owner) != 0; }

 protected:
  void dispatchPending() override;

 private:
  struct Timer {
    uint32_t interval;
    uint32_t due;
    std::function<void()> onTick;
  };
  struct Scripted {
    uint32_t due;
    std::function<void()> event;
  };
  void fireDue();
  uint32_t nextDue() const;

  uint32_t now_ = 100000;
  uint64_t dispatches_ = 0;
  std::map<const void*, Timer> timers_;
  std::vector<Scripted> scripted_;
};

}  // namespace platform::sim

#pragma once
// The one thread's event loop: the tick count, dispatching what is pending, and the
// window timers. Handlers of clicks and timers run inside doEvents().
#include <cstdint>
#include <functional>
#include <utility>

namespace platform {

class EventLoop {
 public:
  // Runs `dispatch` once, with whatever the program keeps true around every handler.
  using AroundDispatch = std::function<void(const std::function<void()>& dispatch)>;

  virtual ~EventLoop() = default;
  virtual uint32_t tickCount() = 0;  // milliseconds, GetTickCount
  // Dispatches every pending event and returns; never waits. Every yield of the program
  // comes here, so what `around` guards holds for every handler, whoever yielded.
  void doEvents() {
    if (around_)
      around_([this] { dispatchPending(); });
    else
      dispatchPending();
  }
  // One wrapper at a time; `owner` names who set it, so that only its owner clears it.
  void setAroundDispatch(const void* owner, AroundDispatch around) {
    aroundOwner_ = owner;
    around_ = std::move(around);
  }
  void clearAroundDispatch(const void* owner) {
    if (aroundOwner_ != owner) return;
    aroundOwner_ = nullptr;
    around_ = nullptr;
  }
  // Returns when an event may be pending or `maxMs` have passed. Lets a pause idle
  // instead of spinning while it stays as responsive as a busy loop.
  virtual void waitForEvents(uint32_t maxMs) = 0;
  // A periodic timer identified by `owner`; setting it again replaces it.
  virtual void setTimer(const void* owner, uint32_t intervalMs, std::function<void()> onTick) = 0;
  virtual void killTimer(const void* owner) = 0;

 protected:
  virtual void dispatchPending() = 0;

 private:
  const void* aroundOwner_ = nullptr;
  AroundDispatch around_;
};

}  // namespace platform

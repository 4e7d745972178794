#pragma once
// The one thread's event loop: the tick count, dispatching what is pending, and the
// window timers. Handlers of clicks and timers run inside doEvents().
#include <cstdint>
#include <functional>

namespace platform {

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  virtual uint32_t tickCount() = 0;  // milliseconds, GetTickCount
  // Dispatches every pending event and returns; never waits.
  virtual void doEvents() = 0;
  // Returns when an event may be pending or `maxMs` have passed. Lets a pause idle
  // instead of spinning while it stays as responsive as a busy loop.
  virtual void waitForEvents(uint32_t maxMs) = 0;
  // A periodic timer identified by `owner`; setting it again replaces it.
  virtual void setTimer(const void* owner, uint32_t intervalMs, std::function<void()> onTick) = 0;
  virtual void killTimer(const void* owner) = 0;
};

}  // namespace platform

#include "platform/sim/SimEventLoop.h"

#include <algorithm>

namespace platform::sim {

namespace {
bool reached(uint32_t now, uint32_t due) { return static_cast<int32_t>(now - due) >= 0; }
}  // namespace

void SimEventLoop::dispatchPending() {
  ++dispatches_;
  now_ += dispatchCostMs;
  fireDue();
}

void SimEventLoop::waitForEvents(uint32_t maxMs) {
  const uint32_t due = nextDue();
  if (reached(now_, due)) return;
  const uint32_t limit = now_ + maxMs;
  now_ = static_cast<int32_t>(due - limit) < 0 ? due : limit;
}

void SimEventLoop::setTimer(const void* owner, uint32_t intervalMs, std::function<void()> onTick) {
  timers_[owner] = Timer{intervalMs, now_ + intervalMs, std::move(onTick)};
}

void SimEventLoop::killTimer(const void* owner) { timers_.erase(owner); }

void SimEventLoop::at(uint32_t atMs, std::function<void()> event) {
  scripted_.push_back({atMs, std::move(event)});
}

uint32_t SimEventLoop::nextDue() const {
  uint32_t due = now_ + 0x40000000u;
  for (const auto& [owner, timer] : timers_)
    if (static_cast<int32_t>(timer.due - due) < 0) due = timer.due;
  for (const Scripted& s : scripted_)
    if (static_cast<int32_t>(s.due - due) < 0) due = s.due;
  return due;
}

void SimEventLoop::fireDue() {
  // Scripted events first, in time order; each may dispatch again and fire more.
  for (;;) {
    auto it = std::min_element(scripted_.begin(), scripted_.end(),
                               [](const Scripted& a, const Scripted& b) { return static_cast<int32_t>(a.due - b.due) < 0; });
    if (it == scripted_.end() || !reached(now_, it->due)) break;
    auto event = std::move(it->event);
    scripted_.erase(it);
    event();
  }
  std::vector<const void*> due;
  for (auto& [owner, timer] : timers_)
    if (reached(now_, timer.due)) due.push_back(owner);
  for (const void* owner : due) {
    auto it = timers_.find(owner);
    if (it == timers_.end()) continue;  // killed by an earlier handler
    it->second.due = now_ + it->second.interval;
    auto onTick = it->second.onTick;  // the handler may replace or kill the timer
    onTick();
  }
}

}  // namespace platform::sim

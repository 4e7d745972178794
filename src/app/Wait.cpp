#include "app/Wait.h"

#include "app/Session.h"
#include "report/RuntimeError.h"

namespace app {

using namespace platform;

namespace {
constexpr uint32_t kModalWaitMs = 50;
}

void WaitSeconds(Platform& os, double seconds) {
  EventLoop& loop = os.loop;
  const uint32_t end = loop.tickCount() + static_cast<uint32_t>(seconds * 1000);
  for (;;) {
    const int32_t left = static_cast<int32_t>(end - loop.tickCount());
    if (left <= 0) return;
    report::resumeNext([&] { loop.doEvents(); });
    // Idle until the next event or at most a timer's grain, rather than spin.
    loop.waitForEvents(static_cast<uint32_t>(left < 10 ? left : 10));
  }
}

void runModal(Session& session, const std::function<bool()>& shown) {
  session.frm.form.setEnabled(false);
  platform::EventLoop& loop = session.os.loop;
  while (shown() && !session.unloaded) {
    report::resumeNext([&] { loop.doEvents(); });
    if (shown() && !session.unloaded) loop.waitForEvents(kModalWaitMs);
  }
  session.frm.form.setEnabled(true);
}

}  // namespace app

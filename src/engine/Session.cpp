#include "engine/Session.h"

#include "report/RuntimeError.h"

namespace engine {

namespace {
constexpr uint32_t kModalWaitMs = 50;
}

void runModal(Session& session, const bool& shown) {
  session.frm.form.setEnabled(false);
  platform::EventLoop& loop = session.os.loop;
  while (shown && !session.unloaded) {
    report::resumeNext([&] { loop.doEvents(); });
    if (shown && !session.unloaded) loop.waitForEvents(kModalWaitMs);
  }
  session.frm.form.setEnabled(true);
}

}  // namespace engine

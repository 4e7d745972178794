#include "engine/Session.h"

#include "erase/PassSetAside.h"
#include "report/RuntimeError.h"

namespace engine {

namespace {
constexpr uint32_t kModalWaitMs = 50;
}

Session::Session(platform::Platform& os) : os(os) {
  // What a click, a timer or Windows' question starts inside a pass, from any yield (the
  // walk's, a pause, the error reporter's wait on the network), is no part of the pass.
  os.loop.setAroundDispatch(this, [this](const std::function<void()>& dispatch) {
    erase::PassSetAside answeringTheUser(flags);
    dispatch();
  });
}

Session::~Session() { os.loop.clearAroundDispatch(this); }

bool passMayStart(const Session& session) {
  return !session.flags.cleaningInProgress && !session.panicking && !session.unloaded;
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

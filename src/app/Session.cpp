#include "app/Session.h"

#include "erase/PassSetAside.h"
#include "report/RuntimeError.h"

namespace app {

Session::Session(platform::Platform& os) : os(os) {
  // What a click, a timer or Windows' question starts inside a pass, from any yield (the
  // walk's, a pause, the error reporter's wait on the network), is no part of the pass.
  os.loop.setAroundDispatch(this, [this](const std::function<void()>& dispatch) {
    erase::PassSetAside answeringTheUser(flags);
    dispatch();
  });
}

Session::~Session() { os.loop.clearAroundDispatch(this); }

void Session::stopWipe() {
  if (!endWipe) return;
  // Cleared first: the wipe is over once its fillers go, and a pass may follow at once.
  const std::function<void()> end = std::move(endWipe);
  endWipe = nullptr;
  end();
}

bool passMayStart(const Session& session) {
  return !session.flags.cleaningInProgress && !session.panicking && !session.unloaded && !session.endWipe;
}

}  // namespace app

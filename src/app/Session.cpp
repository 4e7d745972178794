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

bool passMayStart(const Session& session) {
  return !session.flags.cleaningInProgress && !session.panicking && !session.unloaded;
}

}  // namespace app

#include "schedule/HotKeys.h"

#include "engine/Session.h"
#include "panic/Panic.h"
#include "panic/Visibility.h"
#include "report/RuntimeError.h"

namespace schedule {

using report::resumeNext;
namespace vkey = platform::vkey;

void timeHide_Timer(engine::Session& session) {
  // The window's timers end with it: an unloaded window still winding down a run must not
  // be brought back or panic again.
  if (session.unloaded) return;
  platform::Desktop& keys = session.os.desktop;
  // Ctrl is asked afresh for every combination.
  auto both = [&](int first, int second) { return (keys.asyncKeyState(first) & keys.asyncKeyState(second)) != 0; };

  resumeNext([&] {
    if (!both(session.panicKey, vkey::Control)) return;
    session.os.loop.doEvents();
    session.flags.exitAfterCleaning = true;
    panic::Panic(session);
  });
  resumeNext([&] {
    if (keys.asyncKeyState(vkey::F1) != 0) session.frm.help.fraHelp.zOrder();
  });
  bool show = false;
  resumeNext([&] { show = both(vkey::Control, vkey::U); });
  if (show) {
    resumeNext([&] { panic::ActivateWindow(session.os, session.frm.form); });
    resumeNext([&] { panic::ShowProgram(session); });
    return;
  }
  resumeNext([&] {
    if (both(vkey::Control, vkey::H)) panic::HideProgram(session);
  });
}

}  // namespace schedule

#include "schedule/HotKeys.h"

#include "app/Session.h"
#include "panic/Panic.h"
#include "panic/Visibility.h"
#include "report/RuntimeError.h"

namespace schedule {

using report::resumeNext;
namespace vkey = platform::vkey;

namespace {

// The keys of one poll. A key counts when it is down or was pressed since the previous
// poll: a press made and let go while the program was busy (Wine without a window manager
// takes two seconds to withdraw each window it hides) is seen once it polls again. Windows clears a key's
// pressed-since bit when the key is asked for, so each key is asked once per poll.
struct PolledKeys {
  bool ctrl = false, panic = false, help = false, show = false, hide = false;
};

bool pressed(platform::Desktop& keys, int key) { return keys.asyncKeyState(key) != 0; }

PolledKeys pollKeys(platform::Desktop& keys, int panicKey) {
  PolledKeys k;
  // Wine keeps the pressed-since bit on the left and right Ctrl keys alone. All three are
  // asked, so that none keeps a bit for the next poll.
  const bool ctrl = pressed(keys, vkey::Control), left = pressed(keys, vkey::LeftControl),
             right = pressed(keys, vkey::RightControl);
  k.ctrl = ctrl || left || right;
  k.panic = pressed(keys, panicKey);
  k.help = pressed(keys, vkey::F1);
  k.show = pressed(keys, vkey::U);
  k.hide = pressed(keys, vkey::H);
  return k;
}

}  // namespace

void timeHide_Timer(app::Session& session) {
  // The window's timers end with it: an unloaded window still winding down a run must not
  // be brought back or panic again.
  if (session.unloaded) return;
  PolledKeys keys;
  resumeNext([&] { keys = pollKeys(session.os.desktop, session.panicKey); });

  resumeNext([&] {
    if (!(keys.ctrl && keys.panic)) return;
    session.os.loop.doEvents();
    session.flags.exitAfterCleaning = true;
    panic::Panic(session);
  });
  resumeNext([&] {
    if (keys.help) session.frm.help.fraHelp.zOrder();
  });
  if (keys.ctrl && keys.show) {
    resumeNext([&] { panic::ActivateWindow(session.os, session.frm.form); });
    resumeNext([&] { panic::ShowProgram(session); });
    return;
  }
  resumeNext([&] {
    if (keys.ctrl && keys.hide) panic::HideProgram(session);
  });
}

}  // namespace schedule

#include "schedule/HotKeys.h"

#include "app/App.h"
#include "panic/Panic.h"
#include "panic/Visibility.h"
#include "report/RuntimeError.h"

namespace schedule {

using report::resumeNext;
namespace vkey = platform::vkey;

void timeHide_Timer(app::App& app) {
  // The window's timers end with it: an unloaded window still winding down a run must not
  // be brought back or panic again.
  if (app.unloaded) return;
  platform::Desktop& keys = app.os.desktop;
  // Ctrl is asked afresh for every combination.
  auto both = [&](int first, int second) { return (keys.asyncKeyState(first) & keys.asyncKeyState(second)) != 0; };

  resumeNext([&] {
    if (!both(app.panicKey, vkey::Control)) return;
    app.os.loop.doEvents();
    app.flags.exitAfterCleaning = true;
    panic::Panic(app);
  });
  resumeNext([&] {
    if (keys.asyncKeyState(vkey::F1) != 0) app.frm.help.fraHelp.zOrder();
  });
  bool show = false;
  resumeNext([&] { show = both(vkey::Control, vkey::U); });
  if (show) {
    resumeNext([&] { panic::ActivateWindow(app, app.frm.form); });
    resumeNext([&] { panic::ShowProgram(app); });
    return;
  }
  resumeNext([&] {
    if (both(vkey::Control, vkey::H)) panic::HideProgram(app);
  });
}

}  // namespace schedule

#include "panic/Panic.h"

#include "app/App.h"
#include "app/Startup.h"
#include "engine/CleaningRun.h"
#include "panic/Visibility.h"
#include "panic/WindowSweep.h"
#include "report/RuntimeError.h"

namespace panic {

using report::resumeNext;

void Panic(app::App& app) {
  // The sweep yields to the event loop; a second press meanwhile must not start it again
  // inside itself.
  if (app.panicking) return;
  engine::FlagHeld inProgress(app.panicking);
  HideProgram(app);
  CloseIEWindows(app);
  CloseWindowByTitle(app, "Internet Explorer");
  CloseWindowByTitle(app, "Netscape");
  MinimizeAllWindows(app);
  // A run under way, stopped or not, is left as it is; it ends the program when done.
  if (app.flags.cleaningInProgress) return;
  // A stop of an earlier run must not skip the panic's own pass.
  app.flags.abort = false;
  resumeNext([&] { engine::cleaningPass(app); });
  app.flags.exitAfterCleaning = false;
  resumeNext([&] { app::Form_Unload(app); });
}

}  // namespace panic

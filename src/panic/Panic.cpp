#include "panic/Panic.h"

#include "app/App.h"
#include "app/Startup.h"
#include "engine/CleaningRun.h"
#include "panic/Visibility.h"
#include "panic/WindowSweep.h"
#include "report/RuntimeError.h"

namespace panic {

using report::resumeNext;

namespace {

void cleanAndEnd(app::App& app) {
  // A stop of an earlier run must not skip the panic's own pass.
  app.flags.abort = false;
  resumeNext([&] { engine::cleaningPass(app); });
  app.flags.exitAfterCleaning = false;
  resumeNext([&] { app::Form_Unload(app); });
}

}  // namespace

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
  // A preview's walk holds the run's place but cleans nothing: it stops, and the pass
  // follows once it has.
  if (app.flags.collectionUnderWay) {
    app.flags.abort = true;
    app.panicAfterCollecting = true;
    return;
  }
  // A run under way, stopped or not, is left as it is; it ends the program when done.
  if (app.flags.cleaningInProgress) return;
  cleanAndEnd(app);
}

void FinishPanicAfterCollecting(app::App& app) {
  if (!app.panicAfterCollecting || app.flags.cleaningInProgress) return;
  app.panicAfterCollecting = false;
  engine::FlagHeld inProgress(app.panicking);
  cleanAndEnd(app);
}

}  // namespace panic

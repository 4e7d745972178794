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

// Cleared however the panic is left, the program's end included.
struct PanicInProgress {
  explicit PanicInProgress(bool& flag) : flag(flag) { flag = true; }
  ~PanicInProgress() { flag = false; }
  bool& flag;
};

}  // namespace

void Panic(app::App& app) {
  // The sweep yields to the event loop; a second press meanwhile must not start it again
  // inside itself.
  if (app.panicking) return;
  PanicInProgress inProgress(app.panicking);
  app.flags.abort = false;
  HideProgram(app);
  CloseIEWindows(app);
  CloseWindowByTitle(app, "Internet Explorer");
  CloseWindowByTitle(app, "Netscape");
  MinimizeAllWindows(app);
  if (app.flags.cleaningInProgress) return;
  resumeNext([&] { engine::doClean(app); });
  app.flags.exitAfterCleaning = false;
  resumeNext([&] { app::Form_Unload(app); });
}

}  // namespace panic

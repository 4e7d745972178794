#include "panic/Panic.h"

#include "app/CleaningRun.h"
#include "app/Session.h"
#include "panic/Visibility.h"
#include "panic/WindowSweep.h"
#include "report/RuntimeError.h"

namespace panic {

using report::resumeNext;

namespace {

void cleanAndEnd(app::Session& session) {
  // A stop of an earlier run must not skip the panic's own pass.
  session.flags.abort = false;
  resumeNext([&] { app::cleaningPass(session); });
  session.flags.exitAfterCleaning = false;
  resumeNext([&] { session.unload(); });
}

}  // namespace

void Panic(app::Session& session) {
  // The sweep yields to the event loop; a second press meanwhile must not start it again
  // inside itself.
  if (session.panicking) return;
  erase::FlagHeld inProgress(session.panicking);
  resumeNext([&] { session.stopWipe(); });
  HideProgram(session);
  CloseIEWindows(session.os);
  CloseWindowByTitle(session.os, "Internet Explorer");
  CloseWindowByTitle(session.os, "Netscape");
  MinimizeAllWindows(session.os);
  // A preview's walk holds the run's place but cleans nothing: it stops, and the pass
  // follows once it has.
  if (session.flags.collectionUnderWay) {
    session.flags.abort = true;
    session.panicAfterCollecting = true;
    return;
  }
  // A run under way, stopped or not, is left as it is; it ends the program when done.
  if (session.flags.cleaningInProgress) return;
  cleanAndEnd(session);
}

void FinishPanicAfterCollecting(app::Session& session) {
  if (!session.panicAfterCollecting || session.flags.cleaningInProgress) return;
  session.panicAfterCollecting = false;
  erase::FlagHeld inProgress(session.panicking);
  cleanAndEnd(session);
}

}  // namespace panic

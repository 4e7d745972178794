#pragma once

namespace app {
struct Session;
}

namespace panic {

// Ctrl and the panic key: hides the program, closes the browsers, minimises every window,
// cleans the ticked items and ends the program. During a run it only sweeps: the run
// goes on and ends the program when it is done.
// While a preview collects, the collection stops at once and the pass waits for it to
// have stopped: FinishPanicAfterCollecting, called by the collection's owner, runs it.
void Panic(app::Session& session);
void FinishPanicAfterCollecting(app::Session& session);

}  // namespace panic

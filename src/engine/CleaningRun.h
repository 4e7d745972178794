#pragma once

namespace app {
class App;
}

namespace engine {

// One pass over the catalogue: the ticked items with their lines, progress and pauses.
void doClean(app::App& app);
// The pass as a run of its own (the panic's, the shutdown's): no run, scheduled sweep or
// other pass starts inside it.
void cleaningPass(app::App& app);
// Windows is ending the session: the pass under way cleans its remaining ticked items now,
// or, with none under way and shutdown cleaning ticked, a whole pass runs. No pauses.
void cleanBeforeSessionEnds(app::App& app, bool shutdownPassTicked);
// A whole run: the pass inside its visible frame, closing lines, reboot or exit.
void cmdClean_Click(app::App& app);
void cmdStopCleaning_Click(app::App& app);
// Clean & Reboot.
void cmdReboot_Click(app::App& app);

}  // namespace engine

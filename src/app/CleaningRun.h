#pragma once
#include <functional>

#include "erase/Plan.h"

namespace app {

struct Session;

// One pass over the catalogue: the ticked items with their lines, progress and pauses.
void doClean(Session& session);
// The pass as a run of its own (the panic's, the shutdown's): no run, scheduled sweep or
// other pass starts inside it.
void cleaningPass(Session& session);
// Windows is ending the session: the pass under way cleans its remaining ticked items now,
// or, with none under way and shutdown cleaning ticked, a whole pass runs. No pauses.
void cleanBeforeSessionEnds(Session& session, bool shutdownPassTicked);
// Called before each ticked item is collected: its catalogue position and the catalogue's size.
using CollectProgress = std::function<void(int position, int items)>;
// Walks the ticked items as a run would and returns what each would remove, changing
// nothing; what an earlier item removes already is Shared in a later one. Stop (the run's
// abort flag) ends it early, marked `stopped`. Refused, like a run, while a run, a panic
// or another collection is under way, or after closing.
erase::Plan CollectPlan(Session& session, const CollectProgress& progress);
// A whole run: the pass inside its visible frame, closing lines, reboot or exit.
void cmdClean_Click(Session& session);
void cmdStopCleaning_Click(Session& session);
// Clean & Reboot.
void cmdReboot_Click(Session& session);

}  // namespace app

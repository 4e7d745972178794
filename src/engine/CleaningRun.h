#pragma once

namespace app {
class App;
}

namespace engine {

// One pass over the catalogue: the ticked items with their lines, progress and pauses.
void doClean(app::App& app);
// A whole run: the pass inside its visible frame, closing lines, reboot or exit.
void cmdClean_Click(app::App& app);
void cmdStopCleaning_Click(app::App& app);
// Clean & Reboot.
void cmdReboot_Click(app::App& app);

}  // namespace engine

#pragma once
// The Shredder page's free-space wipe: its drive list, its buttons and its progress.

namespace app {
struct Session;
}

namespace shredder {

// Lists the local fixed drives, the first selected.
void fillWipeDrives(app::Session& session);
// "Wipe Free Space": wipes the chosen drive, "Stop" in front meanwhile, and says how it ended.
void cmdWipeFree_Click(app::Session& session);
// "Stop": the wipe ends and its filler files go at once.
void cmdWipeStop_Click(app::Session& session);

}  // namespace shredder

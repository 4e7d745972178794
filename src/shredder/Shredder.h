#pragma once

namespace app {
class App;
}

namespace shredder {

// Fills the security-level list anew with "Medium" selected.
void fillSecurityLevels(app::App& app);
// Loads the shred list from "Settings.txt" beside the program.
void LoadFiles(app::App& app);

}  // namespace shredder

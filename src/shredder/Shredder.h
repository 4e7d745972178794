#pragma once

namespace app {
class App;
}

namespace shredder {

// Fills the security-level list anew with "Medium" selected.
void fillSecurityLevels(app::App& app);
// Loads the shred list from "Settings.txt" beside the program.
void LoadFiles(app::App& app);
// Writes the shred list to "Settings.txt" beside the program when it holds an entry; an
// empty list leaves the file as it is.
void SaveShredList(app::App& app);

}  // namespace shredder

#pragma once
// Small routines shared by the whole program: a pause that keeps the window alive, a
// folder-tree delete and the Windows version text.
#include <cstdint>
#include <string>

namespace app {
class App;

// Returns after `seconds` (fractions allowed), dispatching window events meanwhile.
void WaitSeconds(App& app, double seconds);
// Deletes a folder with everything in it; true when it is gone.
bool DeleteFolderTree(App& app, std::string path);
std::string FindOS(App& app);
int16_t countDelimiters(const std::string& text, char delimiter);

}  // namespace app

#pragma once
// Erasing whole folder trees.
#include <string>

namespace app {
class App;
}

namespace erase {

// Erases the folder's files and, recursively, its sub-folders; hidden and system entries
// stay. `path` comes back with a trailing backslash. Sub-folders are removed when
// `removeSubs`, the folder itself when `removeThis`; nothing is removed once the run is
// stopped. Links met below the folder and paths too long for Windows are left alone.
void EraseFolder(app::App& app, std::string& path, bool removeThis, bool removeSubs);

// Empties and removes every immediate sub-folder of `folder`.
void ClearSubFolders(app::App& app, std::string folder);

}  // namespace erase

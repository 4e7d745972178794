#pragma once
// The folder shredder: the remembered folder whose contents every scheduled run wipes.
#include <string>

namespace app {
class App;
}

namespace shredder {

extern const char* const kShredderKey;  // "SOFTWARE\\Quellery\\Sheredder" under HKEY_CURRENT_USER

// Shreds every file below the folder, never through a link, and removes the folders that
// are empty afterwards; the folder itself too when `removeFolder`.
void ShredFolderTree(app::App& app, const std::string& folder, int factor, bool removeFolder);

// Shreds the contents of the folder in txtShredFolder, which stays, empty. Nothing happens
// without a folder, or for one the shredder refuses (ShredGuard).
void SweepShredFolder(app::App& app);

// The remembered folder into txtShredFolder, empty when there is none.
void readShredFolder(app::App& app);
// "Browse..." of the folder shredder: frmAddDir picks the folder, which is remembered.
void cmdShredBrowse_Click(app::App& app);
// "Clear": no folder.
void Command2_Click(app::App& app);

}  // namespace shredder

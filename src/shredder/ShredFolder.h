#pragma once
// The folder shredder: the remembered folder whose contents every scheduled run wipes.
#include <string>

namespace app {
struct Session;
}

namespace shredder {

extern const char* const kShredderKey;  // "SOFTWARE\\Quellery\\Sheredder" under HKEY_CURRENT_USER

// Shreds every file below the folder, never through a link, and removes the folders that
// are empty afterwards; the folder itself too when `removeFolder`.
void ShredFolderTree(app::Session& session, const std::string& folder, int factor, bool removeFolder);

// Shreds the contents of the folder in txtShredFolder, which stays, empty. Nothing happens
// without a folder; one the shredder refuses (ShredGuard) is left and the status list says
// why.
void SweepShredFolder(app::Session& session);

// The remembered folder into txtShredFolder, empty when there is none.
void readShredFolder(app::Session& session);
// "Browse..." of the folder shredder: frmAddDir picks the folder, which is remembered.
void cmdShredBrowse_Click(app::Session& session);
// "Clear": no folder.
void Command2_Click(app::Session& session);

}  // namespace shredder

#pragma once
// The shredder page: its file list, the list file "Settings.txt" beside the program and the
// security level.
#include <string>

namespace app {
struct Session;
}

namespace ui {
class ListBox;
}

namespace shredder {

// Fills the security-level list anew with "Medium" selected.
void fillSecurityLevels(app::Session& session);

// Writes the list's entries, each followed by CR LF, to `name` in the program's folder.
void SaveSettingsToFile(app::Session& session, const std::string& suffix, const std::string& name,
                        ui::ListBox& list);
// Replaces the list's entries by the lines of that file when it can be read.
void LoadFiles(app::Session& session, const std::string& suffix, const std::string& name, ui::ListBox& list);
// Both for the shred list and "Settings.txt".
void LoadFiles(app::Session& session);
// Writes the shred list when it holds an entry; an empty list leaves the file as it is.
void SaveShredList(app::Session& session);

// "Browse...": appends the files picked in the open-file dialog.
void cmdFileBrowse_Click(app::Session& session);
// "Delete Selected Items": shreds every entry, then empties the list and its file.
void cmdDelSelected_Click(app::Session& session);
// "Clear List": empties the list and removes its file.
void cmdShredClear_Click(app::Session& session);

}  // namespace shredder

#pragma once
// The shredder page: its file list, the list file "Settings.txt" beside the program and the
// security level.
#include <string>

namespace app {
class App;
}

namespace ui {
class ListBox;
}

namespace shredder {

// Fills the security-level list anew with "Medium" selected.
void fillSecurityLevels(app::App& app);

// Writes the list's entries, each followed by CR LF, to `name` in the program's folder.
void SaveSettingsToFile(app::App& app, const std::string& suffix, const std::string& name, ui::ListBox& list);
// Replaces the list's entries by the lines of that file when it can be read.
void LoadFiles(app::App& app, const std::string& suffix, const std::string& name, ui::ListBox& list);
// Both for the shred list and "Settings.txt".
void LoadFiles(app::App& app);
// Writes the shred list when it holds an entry; an empty list leaves the file as it is.
void SaveShredList(app::App& app);

// "Browse...": appends the files picked in the open-file dialog.
void cmdFileBrowse_Click(app::App& app);
// "Delete Selected Items": shreds every entry, then empties the list and its file.
void cmdDelSelected_Click(app::App& app);
// "Clear List": empties the list and removes its file.
void cmdShredClear_Click(app::App& app);

}  // namespace shredder

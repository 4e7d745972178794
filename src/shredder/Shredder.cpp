#include "shredder/Shredder.h"

#include "app/App.h"
#include "erase/PathChecks.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"
#include "shredder/ShredFile.h"
#include "shredder/ShredFolder.h"
#include "shredder/ShredGuard.h"

namespace shredder {

using namespace platform;
using report::resumeNext;

namespace {

const char* const kListFile = "Settings.txt";

std::string listFilePath(app::App& app, const std::string& suffix, const std::string& name) {
  return app.os.system.programFolder() + suffix + name;
}

void setBusy(app::App& app, bool busy) {
  resumeNext([&] {
    if (app.os.dialogs) app.os.dialogs->setBusyPointer(busy);
  });
}

// One entry of the list: a file is shredded, a folder has its files shredded and goes.
// A file that is not gone adds a line to `failures`.
void shredEntry(app::App& app, const std::string& entry, int factor, std::string* failures) {
  if (erase::CanOpenFile(app, entry)) {
    // Refused files keep their attributes: only the shred clears them, through its handle.
    std::string failure;
    if (!ShredFile(app, entry, factor, &failure)) *failures += "\r\n" + entry + ": " + failure;
  } else if (erase::FolderExists(app, erase::AddBackslash(entry))) {
    if (const char* reason = folderRefusal(app, entry)) {
      erase::logSkipped(entry, reason);
      return;
    }
    app.os.files.setAttributes(entry, fileattr::Normal);
    ShredFolderTree(app, entry, factor, true);
  }
}

}  // namespace

void fillSecurityLevels(app::App& app) {
  ui::ListBox& levels = app.frm.cmbOver;
  levels.clear();
  for (const char* level : {"Very Low", "Low", "Medium", "High", "Extreme"}) levels.addItem(level);
  levels.setListIndex(2);
}

void SaveSettingsToFile(app::App& app, const std::string& suffix, const std::string& name, ui::ListBox& list) {
  const std::string path = listFilePath(app, suffix, name);
  resumeNext([&] {
    app.os.files.setAttributes(path, fileattr::Normal);
    app.os.files.deleteFile(path);
  });
  std::string text;
  for (int i = 0; i < list.listCount(); ++i) {
    text += list.list(i) + "\r\n";
    erase::yieldOnce(app);
  }
  resumeNext([&] { app.os.files.writeFile(path, text); });
}

void LoadFiles(app::App& app, const std::string& suffix, const std::string& name, ui::ListBox& list) {
  erase::yieldOnce(app);
  std::string text;
  if (app.os.files.readFile(listFilePath(app, suffix, name), &text) != winerr::Success) return;
  list.clear();
  // A line ends at CR LF, CR or LF; the end of the file ends the last one.
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    list.addItem(line);
    line.clear();
  }
  if (!line.empty()) list.addItem(line);
}

void LoadFiles(app::App& app) { LoadFiles(app, "\\", kListFile, app.frm.lstFiles); }

void SaveShredList(app::App& app) {
  if (app.frm.lstFiles.listCount() > 0) SaveSettingsToFile(app, "\\", kListFile, app.frm.lstFiles);
}

void cmdFileBrowse_Click(app::App& app) {
  resumeNext([&] {
    if (!app.os.dialogs) return;
    const std::string picked = app.os.dialogs->openFileName("All Files|*.*", ofn::Explorer | ofn::AllowMultiSelect, 2048);
    if (picked.empty()) return;
    ui::ListBox& list = app.frm.lstFiles;
    const size_t zero = picked.find('\0');
    if (zero == std::string::npos) {
      // One full path, appended as it came.
      list.addItem(picked);
      return;
    }
    const std::string folder = erase::AddBackslash(picked.substr(0, zero));
    for (size_t start = zero + 1; start <= picked.size();) {
      size_t end = picked.find('\0', start);
      if (end == std::string::npos) end = picked.size();
      if (end > start) list.addItem(folder + picked.substr(start, end - start));
      start = end + 1;
    }
  });
}

void cmdShredClear_Click(app::App& app) {
  ui::ListBox& list = app.frm.lstFiles;
  resumeNext([&] { list.clear(); });
  resumeNext([&] { SaveSettingsToFile(app, "\\", kListFile, list); });
  resumeNext([&] {
    const std::string path = listFilePath(app, "\\", "settings.txt");
    app.os.files.setAttributes(path, fileattr::Normal);
    app.os.files.deleteFile(path);
  });
}

void cmdDelSelected_Click(app::App& app) {
  setBusy(app, true);
  ui::ListBox& list = app.frm.lstFiles;
  if (list.listCount() == 0) {
    resumeNext([&] {
      app.os.shell.messageBox(app.frm.form.hWnd, "Error: Enter a file for shredding!", "Quellery",
                              platform::mbicon::Critical);
    });
    setBusy(app, false);
    return;
  }
  const int factor = chosenFactor(app);
  // The list as it was clicked: a handler run while shredding may change the box.
  std::vector<std::string> entries;
  for (int i = 0; i < list.listCount(); ++i) entries.push_back(list.list(i));
  std::string failures;
  for (const std::string& entry : entries) resumeNext([&] { shredEntry(app, entry, factor, &failures); });
  cmdShredClear_Click(app);
  // A file left whole must not pass for shredded.
  if (!failures.empty())
    resumeNext([&] {
      app.os.shell.messageBox(app.frm.form.hWnd, "These files were not shredded:" + failures, "Quellery",
                              platform::mbicon::Critical);
    });
  setBusy(app, false);
}

}  // namespace shredder

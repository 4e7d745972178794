#include "shredder/Shredder.h"

#include <vector>

#include "app/Session.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "erase/WalkRules.h"
#include "platform/FreshFile.h"
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

std::string listFilePath(platform::Platform& os, const std::string& suffix, const std::string& name) {
  return os.system.programFolder() + suffix + name;
}

void setBusy(platform::Platform& os, bool busy) {
  resumeNext([&] {
    if (os.dialogs) os.dialogs->setBusyPointer(busy);
  });
}

// One entry of the list: a file is shredded, a folder has its files shredded and goes.
// A file that is not gone adds a line to `failures`.
void shredEntry(app::Session& session, const std::string& entry, int factor, std::string* failures) {
  // Whatever it leads to, it is not what the list says: "foo.txt." would shred foo.txt.
  if (const char* reason = erase::RewrittenPathReason(entry)) {
    erase::logSkipped(entry, reason);
    *failures += "\r\n" + entry + ": " + reason;
    return;
  }
  if (erase::CanOpenFile(session.run(), entry)) {
    // Refused files keep their attributes: only the shred clears them, through its handle.
    std::string failure;
    if (!ShredFile(session, entry, factor, &failure)) *failures += "\r\n" + entry + ": " + failure;
  } else if (erase::FolderExists(session.run(), erase::AddBackslash(entry))) {
    if (const char* reason = folderRefusal(session.run(), entry)) {
      erase::logSkipped(entry, reason);
      *failures += "\r\n" + entry + ": " + reason;
      return;
    }
    session.os.files.setAttributes(entry, fileattr::Normal);
    ShredFolderTree(session, entry, factor, true);
  }
}

}  // namespace

void fillSecurityLevels(app::Session& session) {
  ui::ListBox& levels = session.frm.cmbOver;
  levels.clear();
  for (const char* level : {"Very Low", "Low", "Medium", "High", "Extreme"}) levels.addItem(level);
  levels.setListIndex(2);
}

void SaveSettingsToFile(app::Session& session, const std::string& suffix, const std::string& name,
                        ui::ListBox& list) {
  const std::string path = listFilePath(session.os, suffix, name);
  std::string text;
  for (int i = 0; i < list.listCount(); ++i) {
    text += list.list(i) + "\r\n";
    erase::yieldOnce(session.run());
  }
  // The old list stays until the new one is whole, and a link left in its place is not
  // written through.
  resumeNext([&] { platform::ReplaceWithNewFile(session.os.files, path, text); });
}

void LoadFiles(app::Session& session, const std::string& suffix, const std::string& name, ui::ListBox& list) {
  erase::yieldOnce(session.run());
  std::string text;
  if (session.os.files.readFile(listFilePath(session.os, suffix, name), &text) != winerr::Success) return;
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

void LoadFiles(app::Session& session) { LoadFiles(session, "\\", kListFile, session.frm.lstFiles); }

void SaveShredList(app::Session& session) {
  if (session.frm.lstFiles.listCount() > 0) SaveSettingsToFile(session, "\\", kListFile, session.frm.lstFiles);
}

void cmdFileBrowse_Click(app::Session& session) {
  resumeNext([&] {
    if (!session.os.dialogs) return;
    const std::string picked =
        session.os.dialogs->openFileName("All Files|*.*", ofn::Explorer | ofn::AllowMultiSelect, 2048);
    if (picked.empty()) return;
    std::vector<std::string> paths;
    const size_t zero = picked.find('\0');
    if (zero == std::string::npos) paths.push_back(picked);  // one full path, as it came
    const std::string folder = erase::AddBackslash(picked.substr(0, zero));
    for (size_t start = zero + 1; zero != std::string::npos && start <= picked.size();) {
      size_t end = picked.find('\0', start);
      if (end == std::string::npos) end = picked.size();
      if (end > start) paths.push_back(folder + picked.substr(start, end - start));
      start = end + 1;
    }
    std::string refused;
    for (const std::string& path : paths) {
      if (const char* reason = erase::RewrittenPathReason(path))
        refused += "\r\n" + path + ": " + reason;
      else
        session.frm.lstFiles.addItem(path);
    }
    if (!refused.empty())
      session.os.shell.messageBox(session.frm.form.hWnd, "These files were not added:" + refused, "Quellery",
                                  platform::mbicon::Critical);
  });
}

void cmdShredClear_Click(app::Session& session) {
  ui::ListBox& list = session.frm.lstFiles;
  resumeNext([&] { list.clear(); });
  resumeNext([&] { SaveSettingsToFile(session, "\\", kListFile, list); });
  resumeNext([&] {
    const std::string path = listFilePath(session.os, "\\", "settings.txt");
    session.os.files.setAttributes(path, fileattr::Normal);
    session.os.files.deleteFile(path);
  });
}

void cmdDelSelected_Click(app::Session& session) {
  setBusy(session.os, true);
  ui::ListBox& list = session.frm.lstFiles;
  if (list.listCount() == 0) {
    resumeNext([&] {
      session.os.shell.messageBox(session.frm.form.hWnd, "Error: Enter a file for shredding!", "Quellery",
                                  platform::mbicon::Critical);
    });
    setBusy(session.os, false);
    return;
  }
  const int factor = chosenFactor(session);
  // The list as it was clicked: a handler run while shredding may change the box.
  std::vector<std::string> entries;
  for (int i = 0; i < list.listCount(); ++i) entries.push_back(list.list(i));
  std::string failures;
  for (const std::string& entry : entries) resumeNext([&] { shredEntry(session, entry, factor, &failures); });
  cmdShredClear_Click(session);
  // A file left whole must not pass for shredded.
  if (!failures.empty())
    resumeNext([&] {
      session.os.shell.messageBox(session.frm.form.hWnd, "These files were not shredded:" + failures, "Quellery",
                                  platform::mbicon::Critical);
    });
  setBusy(session.os, false);
}

}  // namespace shredder

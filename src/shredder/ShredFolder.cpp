#include "shredder/ShredFolder.h"

#include <memory>
#include <vector>

#include "app/App.h"
#include "erase/FolderWalk.h"
#include "erase/PathChecks.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "shredder/AddDir.h"
#include "settings/RegistryStrings.h"
#include "shredder/ShredFile.h"
#include "shredder/ShredGuard.h"

namespace shredder {

using namespace platform;
using report::resumeNext;

const char* const kShredderKey = "SOFTWARE\\Quellery\\Sheredder";

namespace {

const char* const kShredFolderValue = "ShredFolder";

// Hidden, system and read-only files are shredded too, as the tree delete removes them.
// The folders are walked through their handles (FolderWalk); each file is handed to the
// shredder by its path, which refuses what it must, opens it once and acts through that.
// A name above the held folder may lead elsewhere by then (a junction re-pointed while the
// walk yielded): the file opened must be the entry the held folder lists.
erase::WalkRules shredRules(app::App& app, int factor) {
  erase::WalkRules rules = erase::TreeDeleteRules();
  rules.onFile = [&app, factor](HeldFolder& folder, const FindData& entry, const std::string& path) -> long {
    if (!erase::fitsFile(path)) return winerr::FilenameTooLong;
    const IsMeant listed = [&folder, &entry](const FileIdentity& opened) { return folder.isChild(entry.name, opened); };
    return ShredFile(app, path, factor, nullptr, listed) ? winerr::Success : winerr::AccessDenied;
  };
  return rules;
}

}  // namespace

void ShredFolderTree(app::App& app, const std::string& folder, int factor, bool removeFolder) {
  const std::string path = erase::AddBackslash(folder);
  resumeNext([&] { erase::WalkFolderAt(app, path, removeFolder, shredRules(app, factor), nullptr); });
}

void SweepShredFolder(app::App& app) {
  resumeNext([&] {
    const std::string folder = app.frm.txtShredFolder.text();
    if (folder.empty() || !erase::FolderExists(app, folder)) return;
    if (const char* reason = folderRefusal(app, folder)) {
      erase::logSkipped(folder, reason);
      return;
    }
    ShredFolderTree(app, folder, chosenFactor(app), false);
  });
}

void readShredFolder(app::App& app) {
  app.frm.txtShredFolder.setText(
      settings::tryMyGetSettingString(app, hkey::CurrentUser, kShredderKey, kShredFolderValue, ""));
}

void cmdShredBrowse_Click(app::App& app) {
  try {
    app.frm.txtShredFolder.setText("");
    frmAddDir dialog(app);
    dialog.Form_Load();
    if (app.showModal) app.showModal(dialog.form);
    settings::trySaveSettingString(app, hkey::CurrentUser, kShredderKey, kShredFolderValue,
                                   app.frm.txtShredFolder.text());
  } catch (const std::exception& e) {
    report::reportFailure(app, report::tail::cmdShredBrowse_Click, e);
  }
}

void Command2_Click(app::App& app) {
  resumeNext([&] {
    app.frm.txtShredFolder.setText("");
    settings::trySaveSettingString(app, hkey::CurrentUser, kShredderKey, kShredFolderValue, "");
  });
}

}  // namespace shredder

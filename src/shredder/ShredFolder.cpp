#include "shredder/ShredFolder.h"

#include <memory>
#include <vector>

#include "app/Session.h"
#include "app/Wait.h"
#include "erase/FolderWalk.h"
#include "erase/PathChecks.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/RegistryStrings.h"
#include "shredder/AddDir.h"
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
erase::WalkRules shredRules(app::Session& session, int factor) {
  erase::WalkRules rules = erase::TreeDeleteRules();
  rules.onFile = [&session, factor](HeldFolder& folder, const FindData& entry, const std::string& path) -> long {
    if (!erase::fitsFile(path)) return winerr::FilenameTooLong;
    const IsMeant listed = [&folder, &entry](const FileIdentity& opened) { return folder.isChild(entry.name, opened); };
    return ShredFile(session, path, factor, nullptr, listed) ? winerr::Success : winerr::AccessDenied;
  };
  return rules;
}

}  // namespace

void ShredFolderTree(app::Session& session, const std::string& folder, int factor, bool removeFolder) {
  const std::string path = erase::AddBackslash(folder);
  resumeNext([&] { erase::WalkFolderAt(session.run(), path, removeFolder, shredRules(session, factor), nullptr); });
}

void SweepShredFolder(app::Session& session) {
  resumeNext([&] {
    const std::string folder = session.frm.txtShredFolder.text();
    if (folder.empty() || !erase::FolderExists(session.run(), folder)) return;
    if (const char* reason = folderRefusal(session.run(), folder)) {
      erase::logSkipped(folder, reason);
      // Scheduled, nobody sees the log: the status list says why the folder stays as it is.
      session.frm.lstClean.addItem("Shred folder refused: " + folder + " (" + reason + ")");
      return;
    }
    ShredFolderTree(session, folder, chosenFactor(session), false);
  });
}

void readShredFolder(app::Session& session) {
  session.frm.txtShredFolder.setText(
      settings::tryMyGetSettingString(session.os, hkey::CurrentUser, kShredderKey, kShredFolderValue, ""));
}

void cmdShredBrowse_Click(app::Session& session) {
  if (!app::passMayStart(session)) return;
  try {
    session.frm.txtShredFolder.setText("");
    frmAddDir dialog(session);
    dialog.Form_Load();
    dialog.form.setVisible(true);
    if (session.openDialog && session.openDialog(dialog.form)) {
      app::runModal(session, [&] { return dialog.form.visible(); });
      session.closeDialog(dialog.form);
    }
    dialog.form.setVisible(false);
    settings::trySaveSettingString(session.os, hkey::CurrentUser, kShredderKey, kShredFolderValue,
                                   session.frm.txtShredFolder.text());
  } catch (const std::exception& e) {
    report::reportFailure(session.os, report::tail::cmdShredBrowse_Click, e);
  }
}

void Command2_Click(app::Session& session) {
  resumeNext([&] {
    session.frm.txtShredFolder.setText("");
    settings::trySaveSettingString(session.os, hkey::CurrentUser, kShredderKey, kShredFolderValue, "");
  });
}

}  // namespace shredder

#include "shredder/ShredFolder.h"

#include <memory>
#include <vector>

#include "app/App.h"
#include "erase/PathChecks.h"
#include "erase/WalkRules.h"
#include "report/ReportTexts.h"
#include "shredder/AddDir.h"
#include "report/RuntimeError.h"
#include "settings/RegistryStrings.h"
#include "shredder/ShredFile.h"
#include "shredder/ShredGuard.h"

namespace shredder {

using namespace platform;
using report::resumeNext;

const char* const kShredderKey = "SOFTWARE\\Quellery\\Sheredder";

namespace {

const char* const kShredFolderValue = "ShredFolder";

void shredEntries(app::App& app, const std::string& folder, int factor);

// `folder` ends in "\\". Held open while its entries are shredded, so it cannot be swapped
// for a link meanwhile; removed after, when `removeThis` and nothing was left in it.
void shredTree(app::App& app, const std::string& folder, int factor, bool removeThis) {
  {
    FileIdentity identity;
    const std::unique_ptr<HeldFolder> held = erase::holdPlainFolder(app, folder, &identity);
    if (!held) return;
    shredEntries(app, folder, factor);
  }
  if (removeThis) {
    app.os.files.setAttributes(folder.substr(0, folder.size() - 1), fileattr::Normal);
    app.os.files.removeDirectory(folder.substr(0, folder.size() - 1));
  }
}

// Hidden, system and read-only files are shredded too, as the tree delete removes them.
void shredEntries(app::App& app, const std::string& folder, int factor) {
  std::vector<FindData> entries;
  app.os.files.findFiles(folder + "*", &entries);
  for (const FindData& entry : entries) {
    resumeNext([&] {
      const std::string path = folder + entry.name;
      if (erase::isDots(entry)) return;
      if (erase::isLink(entry)) {
        erase::logSkipped(path, "link");
      } else if (erase::isFolder(entry)) {
        if (erase::fitsFolder(path + "\\"))
          shredTree(app, path + "\\", factor, true);
        else
          erase::logSkipped(path, "path too long");
      } else if (!erase::fitsFile(path)) {
        erase::logSkipped(path, "path too long");
      } else {
        ShredFile(app, path, factor);
      }
    });
    erase::yieldOnce(app);
  }
}

}  // namespace

void ShredFolderTree(app::App& app, const std::string& folder, int factor, bool removeFolder) {
  const std::string path = erase::AddBackslash(folder);
  if (erase::fitsFolder(path)) resumeNext([&] { shredTree(app, path, factor, removeFolder); });
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

#include "shredder/AddDir.h"

#include <cctype>
#include <vector>

#include "app/Session.h"
#include "erase/WalkRules.h"
#include "platform/NameCase.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"
#include "shredder/ShredGuard.h"

namespace shredder {

using namespace platform;
using report::resumeNext;

namespace {

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

frmAddDir::frmAddDir(app::Session& session)
    : form("frmAddDir", {0, 0, 4335, 4110}, "Add Folder"),
      drvList(&form, "drvList", {120, 120, 4095, 315}, false, ui::Kind::ComboBox),
      dirList(&form, "dirList", {120, 540, 4095, 2895}),
      cmdAdd(&form, "cmdAdd", {1320, 3600, 1335, 375}, "Add"),
      cmdCancel(&form, "cmdCancel", {2880, 3600, 1335, 375}, "Cancel"),
      session_(session) {
  form.setVisible(false);
  const uint32_t drives = session.os.files.logicalDrives();
  for (int i = 0; i < 26; ++i)
    if (drives & (1u << i)) drvList.addItem(std::string(1, static_cast<char>('a' + i)) + ":");
  drvList.onClick = [this] { drvList_Change(); };
  dirList.onDblClick = [this] { dirList_DblClick(); };
  cmdAdd.onClick = [this] { cmdAdd_Click(); };
  cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void frmAddDir::setPath(const std::string& folder) {
  std::string root = folder.substr(0, 2) + "\\";
  std::string current = folder.size() > 3 && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
  if (current.size() <= 3) current = root;
  path_ = current;
  dirList.clear();
  // The chain from the root down to the current folder...
  dirList.addItem(root);
  for (size_t at = 4; at <= current.size(); ++at)
    if (at == current.size() || current[at] == '\\') dirList.addItem(current.substr(0, at));
  // ...then the folders in it, but no link: a sweep never goes through one.
  std::vector<FindData> entries;
  const std::string base = current.back() == '\\' ? current : current + "\\";
  session_.os.files.findFiles(base + "*", &entries);
  for (const FindData& entry : entries)
    if (erase::isFolder(entry) && !erase::isDots(entry) && !erase::isLink(entry)) dirList.addItem(base + entry.name);
}

void frmAddDir::selectDrive(char letter) {
  const std::string drive = std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(letter)))) + ":";
  for (int i = 0; i < drvList.listCount(); ++i)
    if (lower(drvList.list(i)) == drive) drvList.setListIndex(i);
}

void frmAddDir::Form_Load() {
  resumeNext([&] { setPath("C:\\"); });
  resumeNext([&] { selectDrive('c'); });
}

void frmAddDir::drvList_Change() {
  if (resetting_ || drvList.listIndex() < 0) return;
  std::string drive = drvList.list(drvList.listIndex()).substr(0, 2);
  drive[0] = platform::upperCase(drive[0]);
  std::vector<FindData> entries;
  long rc = winerr::PathNotFound;
  resumeNext([&] { rc = session_.os.files.findFiles(drive + "\\*", &entries); });
  // An empty drive lists nothing but fails differently from one without a disk.
  if (rc == winerr::Success || rc == winerr::FileNotFound) {
    resumeNext([&] { setPath(drive + "\\"); });
    return;
  }
  resumeNext([&] {
    session_.os.shell.messageBox(form.hWnd, "Unable to open root drive.", "Quellery", platform::mbicon::Critical);
  });
  resetting_ = true;
  resumeNext([&] { setPath("C:\\"); });
  resumeNext([&] { selectDrive('c'); });
  resetting_ = false;
}

void frmAddDir::dirList_DblClick() {
  if (dirList.listIndex() >= 0) resumeNext([&] { setPath(dirList.list(dirList.listIndex())); });
}

void frmAddDir::cmdAdd_Click() {
  const int highlighted = dirList.listIndex();
  const std::string chosen = highlighted >= 0 ? dirList.list(highlighted) : path_;
  // Refused here by the sweep's own judge, while the user can still choose another: a drive
  // root, the profile or a folder "abc." (swept as abc) would fail at every scheduled run.
  if (const char* reason = folderRefusal(session_.run(), chosen)) {
    resumeNext([&] {
      session_.os.shell.messageBox(form.hWnd, "This folder cannot be shredded: " + chosen + " (" + reason + ")",
                                   "Quellery", platform::mbicon::Critical);
    });
    return;
  }
  resumeNext([&] { session_.frm.txtShredFolder.setText(chosen); });
  erase::yieldOnce(session_.run());
  form.setVisible(false);
}

void frmAddDir::cmdCancel_Click() { form.setVisible(false); }

}  // namespace shredder

#pragma once
// frmAddDir ("Add Folder"): the folder shredder's picker, a drive list over a folder list.
#include <string>

#include "ui/Controls.h"

namespace app {
struct Session;
}

namespace shredder {

class frmAddDir {
 public:
  explicit frmAddDir(app::Session& session);
  frmAddDir(const frmAddDir&) = delete;
  frmAddDir& operator=(const frmAddDir&) = delete;

  ui::Form form;
  ui::ListBox drvList;  // "a:" to "z:", the drives there are
  // The folders from the drive's root down to the current one, then its sub-folders.
  ui::ListBox dirList;
  ui::Button cmdAdd, cmdCancel;

  // The folder the folder list shows, "C:\\" or "C:\\Temp".
  const std::string& path() const { return path_; }
  void setPath(const std::string& folder);

  void Form_Load();
  void drvList_Change();
  void dirList_DblClick();
  void cmdAdd_Click();
  void cmdCancel_Click();

 private:
  void selectDrive(char letter);
  app::Session& session_;
  std::string path_;
  bool resetting_ = false;  // back on C: after a drive that is not ready
};

}  // namespace shredder

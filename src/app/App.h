#pragma once
// The running program: the platform it runs on, its main window and the state shared
// by every module.
#include <string>

#include "app/MainWindow.h"
#include "app/SettingsTree.h"
#include "engine/RunFlags.h"
#include "platform/Platform.h"

namespace app {

class App {
 public:
  explicit App(platform::Platform& os);
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  platform::Platform& os;
  MainWindow frm;
  engine::RunFlags flags;
  std::string osDescription;         // FindOS at start-up
  platform::TrayIconRecord trayIcon;  // filled once at start-up
  std::string startInvisibly;        // the saved chkRun(0) text
  bool unloaded = false;             // the main window has been closed
  TreeStates treeStates;
};

}  // namespace app

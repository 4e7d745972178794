#pragma once
// The running program: the platform it runs on, its main window and the state shared
// by every module.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/SettingsTree.h"
#include "custom/BookmarkGuard.h"
#include "custom/CustomWindow.h"
#include "engine/RunFlags.h"
#include "preview/PreviewWindow.h"
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
  erase::Plan lastRun;  // what the last run or pass did, item by item
  std::string osDescription;         // FindOS at start-up
  platform::TrayIconRecord trayIcon;  // filled once at start-up
  std::string startInvisibly;        // the saved chkRun(0) text
  std::string newVersion;            // the server's version number, from the check to the download
  bool unloaded = false;             // the main window has been closed
  TreeStates treeStates;
  int32_t panicKey = 122;    // virtual-key code pressed with Ctrl; F11 until restored
  bool panicHintKeyNext = false;  // the hint's next blink shows the key rather than "Panic"
  bool panicking = false;         // a panic is sweeping the windows or cleaning
  bool panicAfterCollecting = false;  // a panic stopped a preview's walk; its pass follows
  // The program's other windows that hiding it hid, shown again with it.
  std::vector<platform::WindowHandle> hiddenWindows;
  int32_t minuteCounter = 0; // scheduler clock ticks since start-up or the last scheduled run
  bool sweeping = false;     // the scheduler's shred-folder sweep is under way
  // The two bookmark-guard buttons of the customisation window, which shows them from
  // here. `loaded` turns true once they were read from the store.
  struct BookmarkButtons {
    bool loaded = false;
    bool enableEnabled = true;
    bool disableEnabled = false;
  } bookmarkButtons;
  // Shows a dialog form and returns once it has hidden itself; set by the view. Without
  // one a dialog closes as if cancelled.
  std::function<void(ui::Form& form)> showModal;
  custom::CustomWindow frmCustom;
  preview::PreviewWindow frmPreview;
  custom::FavouritesWatch favouritesWatch;
};

}  // namespace app

#pragma once
// What the main window's handlers share: the machine, the window's models, the run's flags
// and what the last run did. The program's features keep their own state beside it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "erase/Plan.h"
#include "erase/RunContext.h"
#include "erase/RunFlags.h"
#include "platform/Platform.h"

namespace app {

struct Session {
  // Every handler the session's yields dispatch runs with the pass set aside.
  explicit Session(platform::Platform& os);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  platform::Platform& os;
  MainWindow frm;
  erase::RunFlags flags;
  erase::Plan lastRun;                // what the last run or pass did, item by item
  bool unloaded = false;              // the main window has been closed
  bool panicking = false;             // a panic is sweeping the windows or cleaning
  bool sweeping = false;              // the scheduler's shred-folder sweep is under way
  bool panicAfterCollecting = false;  // a panic stopped a preview's walk; its pass follows
  // A scheduled run fell due while a preview collected; it starts when the preview is done.
  enum class DueRun { None, SweepFirst, RunFirst } scheduledAfterCollecting = DueRun::None;
  // The saved state the features share, and the main window's own.
  std::string osDescription;          // FindOS at start-up
  platform::TrayIconRecord trayIcon;  // filled once at start-up
  std::string startInvisibly;         // the saved chkRun(0) text
  TreeStates treeStates;
  int32_t panicKey = 122;         // virtual-key code pressed with Ctrl; F11 until restored
  bool panicHintKeyNext = false;  // the hint's next blink shows the key rather than "Panic"
  // The program's other windows that hiding it hid, shown again with it.
  std::vector<platform::WindowHandle> hiddenWindows;
  int32_t minuteCounter = 0;  // scheduler clock ticks since start-up or the last scheduled run
  // The two bookmark-guard buttons of the customisation window: whether the guard runs,
  // kept here to be saved at unload. `loaded` turns true once they were read from the
  // store or set by the guard.
  struct BookmarkButtons {
    bool loaded = false;
    bool enableEnabled = true;
    bool disableEnabled = false;
  } bookmarkButtons;
  // Closes the main window as Exit does; set by the program.
  std::function<void()> unload;
  // Writes every selection and option back, as closing does; set by the program.
  std::function<void()> saveSelection;
  // Whether a dialog form made on demand and just shown has its window, and the end of that
  // window before the form goes; set by the view. The dialog waits in runModal between the
  // two. Without a window it closes as if cancelled.
  std::function<bool(ui::Form& form)> openDialog;
  std::function<void(ui::Form& form)> closeDialog;
  // Set while a free-space wipe runs (shredder/FreeSpaceWipe.h): ends it and removes its
  // filler files. Called through stopWipe.
  std::function<void()> endWipe;
  // Ends a wipe under way at once, from inside its yield: Stop, the panic key, closing and
  // the session's end each call it, since the program may end before the wipe's own loop
  // runs again, and its fillers must not stay behind.
  void stopWipe();

  // What the cleaning items, walks and guards are given of the program.
  erase::RunContext run() { return {os, flags, frm.form.hWnd, frm.cookies}; }
};

// Nothing starts a pass during a pass (a run, a preview's collection, the panic's or the
// shutdown's), a free-space wipe, a panic, or after closing. Nor does a dialog window open then: it waits in
// a loop of its own until closed, and inside a pass's yield would hold the pass (and a
// panic's end) until then.
bool passMayStart(const Session& session);

}  // namespace app

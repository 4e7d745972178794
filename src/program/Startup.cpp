#include "program/Startup.h"

#include "app/CleaningRun.h"
#include "cookies/CookieKeeper.h"
#include "custom/BookmarkGuard.h"
#include "custom/frmCustom.h"
#include "panic/PanicKey.h"
#include "panic/Visibility.h"
#include "platform/WinError.h"
#include "preview/frmPreview.h"
#include "program/App.h"
#include "program/SavedSelections.h"
#include "program/SettingsTree.h"
#include "report/ErrorReporter.h"
#include "report/RuntimeError.h"
#include "settings/RegistryStrings.h"
#include "shredder/ShredFolder.h"
#include "shredder/Shredder.h"
#include "shredder/WipeFolder.h"
#include "shredder/WipePage.h"
#include "sysinfo/WinInfo.h"
#include "upgrade/Upgrade.h"

namespace program {

using namespace platform;
using report::resumeNext;

namespace {

// A logon script's /clean of a large cache may take minutes; one that never ends must not
// keep the user's copy waiting for the rest of the session.
constexpr uint32_t kCommandLineRunWaitMs = 10 * 60 * 1000;

// The installed-version value the upgrade reads and updates.
void ensureVersionValue(App& app) {
  Registry& reg = app.os.registry;
  HKey key = 0;
  if (reg.createKey(hkey::LocalMachine, "Software\\Microsoft\\RADaz", &key) != winerr::Success) return;
  uint32_t type = 0, size = 0;
  if (reg.queryValue(key, "ver", &type, nullptr, &size) != winerr::Success)
    reg.setValue(key, "ver", regtype::String, reinterpret_cast<const uint8_t*>("1"), 1);
  reg.closeKey(key);
}

void fillTrayIconRecord(App& app) {
  TrayIconRecord& tray = app.trayIcon;
  tray.cbSize = 88;
  tray.hWnd = app.frm.form.hWnd;
  tray.uId = 1;
  tray.uFlags = 7;  // message, icon and tip
  tray.uCallbackMessage = 0x200;
  tray.hIcon = app.frm.form.hIcon;
  tray.szTip = app.frm.form.caption().substr(0, 63);
}

// The icon of a shown window follows the window's first paint: the shell can take longer
// to add it than the window takes to appear, and the user waits for the window. A window
// hidden or closed meanwhile wants no icon (hiding removes it, showing adds it again).
void addTrayIconOnceShown(App& app) {
  app.os.loop.setTimer(&app.trayIcon, 0, [&app] {
    app.os.loop.killTimer(&app.trayIcon);
    if (app.unloaded || !app.frm.form.visible()) return;
    resumeNext([&] { app.os.shell.notifyIcon(trayop::Add, app.trayIcon); });
  });
}

}  // namespace

void Form_Load(App& app) {
  app::MainWindow& f = app.frm;
  resumeNext([&] { ensureVersionValue(app); });
  upgrade::CompleteUpgrade(app.os, app.frm.form.hWnd);
  // A copy of the user's own gives way to the one running; a logon script's /clean is
  // waited out, or this copy (the Run entry's, at the same logon) would be lost.
  if (app.os.system.anotherInstanceRunning() && !app.os.system.waitOutCommandLineRun(kCommandLineRunWaitMs))
    app.os.system.endProgram();
  app.flags.rebootAfterCleaning = app.flags.exitAfterCleaning = app.flags.cleaningInProgress = false;
  f.tvw1.labelEdit = false;

  resumeNext([&] { f.cleaning.fraCleaning.zOrder(); });
  resumeNext([&] { program::getLastSettings(app); });
  resumeNext([&] { custom::ResumeBookmarkGuard(app, app.frmCustom, app.favouritesWatch); });
  // What a scheduled sweep needs is there now: a program started invisibly is never
  // activated.
  resumeNext([&] { shredder::fillSecurityLevels(app); });
  resumeNext([&] { program::getOverwriteChoice(app); });
  resumeNext([&] { shredder::readShredFolder(app); });
  // A wipe cut short by a crash or a power cut left its fillers taking the free space.
  resumeNext([&] { shredder::RemoveLeftoverWipeFolders(app); });
  resumeNext([&] { shredder::fillWipeDrives(app); });
  resumeNext([&] { panic::getPanicSetting(app); });
  resumeNext([&] { f.dtpTime.setEnabled(f.chkRun(4).value() == 1); });
  resumeNext([&] {
    if (f.Check1.value() == 1) {
      f.chkRun(0).setEnabled(true);
    } else {
      f.chkRun(0).setEnabled(false);
      f.chkRun(0).setValue(0);
    }
  });
  resumeNext([&] { app.osDescription = hardware::FindOS(app.os); });
  resumeNext([&] { f.stBar.setPanelText(2, "Welcome To Quellery"); });
  resumeNext([&] { app::Message(app.frm.lstClean); });
  resumeNext([&] { BuildSettingsTree(app); });
  resumeNext([&] { fillTrayIconRecord(app); });
  resumeNext([&] {
    if (app.startInvisibly != "1") {
      f.form.setVisible(true);
      addTrayIconOnceShown(app);
    } else {
      app.os.shell.notifyIcon(trayop::Add, app.trayIcon);
      panic::HideProgram(app);
    }
  });
  resumeNext([&] {
    if (f.chkRun(3).value() == 1) app::cmdClean_Click(app);
  });
}

// The security level was filled once by Form_Load: an activation (the return from a
// picker included) keeps the level the user chose.
void Form_Activate(App& app) { resumeNext([&] { shredder::readShredFolder(app); }); }

void Form_QueryUnload(App& app, int unloadMode) {
  if (unloadMode != 2) return;
  resumeNext([&] { app::cleanBeforeSessionEnds(app, app.frm.chkRun(2).value() == 1); });
}

void SessionEnding(App& app) { Form_QueryUnload(app, 2); }

void SessionEnded(App& app, bool ending) {
  if (!ending) {
    // Another program cancelled: nothing was unloaded, Quellery goes on at its own pace.
    app.flags.sessionEnding = false;
    return;
  }
  if (!app.unloaded) Form_Unload(app);
  app.os.system.endProgram();
}

void Form_Unload(App& app) {
  resumeNext([&] { app.stopWipe(); });
  resumeNext([&] { program::saveLastSelection(app); });
  resumeNext([&] { cookies::SaveKeptCookies(app.run(), app.frm.cookies); });
  app.flags.abort = true;
  resumeNext([&] { custom::StopBookmarkGuard(app.run(), app.favouritesWatch); });
  resumeNext([&] { app.os.shell.notifyIcon(trayop::Delete, app.trayIcon); });
  app.flags.exitAfterCleaning = true;
  resumeNext([&] { custom::UnloadCustom(app, app.frmCustom); });
  resumeNext([&] { preview::UnloadPreview(app, app.frmPreview); });
  app.frm.form.setVisible(false);
  app.unloaded = true;
}

void cmdExit_Click(App& app) {
  Form_Unload(app);
}

void Label11_Click(App& app) {
  resumeNext([&] { app.os.shell.openDocument("http://" + report::makerServer(app.os) + "/help"); });
}

void Label13_Click(App& app) {
  resumeNext([&] { app.os.shell.openDocument("http://" + report::makerServer(app.os) + "/support.html"); });
}

}  // namespace program

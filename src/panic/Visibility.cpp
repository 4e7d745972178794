#include "panic/Visibility.h"

#include "app/App.h"
#include "report/RuntimeError.h"

namespace panic {

using report::resumeNext;

namespace {

// The task list can only be left on the systems whose description names none of the NT
// family.
bool hasTaskListRegistration(const app::App& app) {
  for (const char* nt : {"2000", "NT", "XP"})
    if (app.osDescription.find(nt) != std::string::npos) return false;
  return true;
}

// Windows 98 and 2000 on give the foreground only to the thread that has it or shares
// its input; without the attach the window would just flash in the taskbar.
void bringToForeground(platform::Desktop& desktop, platform::WindowHandle window) {
  const uint32_t own = desktop.programThread(), front = desktop.foregroundThread();
  const bool attached = front != 0 && front != own && desktop.attachThreadInput(own, front, true);
  desktop.setForegroundWindow(window);
  if (attached) desktop.attachThreadInput(own, front, false);
}

}  // namespace

void HideFromTaskList(app::App& app) {
  resumeNext([&] {
    if (hasTaskListRegistration(app)) app.os.system.registerServiceProcess(app.os.system.currentProcessId(), 1);
  });
}

void HideProgram(app::App& app) {
  HideFromTaskList(app);
  resumeNext([&] { app.os.shell.notifyIcon(platform::trayop::Delete, app.trayIcon); });
  resumeNext([&] { app.frm.form.setVisible(false); });
  // Its other windows too (the customisation window, an open-file dialog), which come back
  // with it.
  resumeNext([&] {
    platform::Desktop& desktop = app.os.desktop;
    for (platform::WindowHandle window : desktop.programWindows()) {
      if (window == app.frm.form.hWnd) continue;
      desktop.showWindow(window, false);
      app.hiddenWindows.push_back(window);
    }
  });
}

void ShowProgram(app::App& app) {
  resumeNext([&] {
    if (hasTaskListRegistration(app)) app.os.system.registerServiceProcess(app.os.system.currentProcessId(), 0);
  });
  resumeNext([&] { app.os.shell.notifyIcon(platform::trayop::Add, app.trayIcon); });
  resumeNext([&] {
    platform::Desktop& desktop = app.os.desktop;
    for (platform::WindowHandle window : app.hiddenWindows)
      if (desktop.isWindow(window)) desktop.showWindow(window, true);
    app.hiddenWindows.clear();
  });
}

void ActivateWindow(app::App& app, ui::Form& form) {
  platform::Desktop& desktop = app.os.desktop;
  resumeNext([&] {
    if (!form.visible()) form.setVisible(true);
  });
  resumeNext([&] {
    if (desktop.isIconic(form.hWnd))
      desktop.sendMessage(form.hWnd, platform::winmsg::SysCommand, platform::winmsg::ScRestore, 0);
  });
  resumeNext([&] { bringToForeground(desktop, form.hWnd); });
}

}  // namespace panic

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
}

void ShowProgram(app::App& app) {
  resumeNext([&] {
    if (hasTaskListRegistration(app)) app.os.system.registerServiceProcess(app.os.system.currentProcessId(), 0);
  });
  resumeNext([&] { app.os.shell.notifyIcon(platform::trayop::Add, app.trayIcon); });
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
  resumeNext([&] { desktop.setForegroundWindow(form.hWnd); });
}

}  // namespace panic

#include "panic/Visibility.h"

#include "app/Session.h"
#include "report/RuntimeError.h"

namespace panic {

using report::resumeNext;

namespace {

// The task list can only be left on the systems whose description names none of the NT
// family.
bool hasTaskListRegistration(const app::Session& session) {
  for (const char* nt : {"2000", "NT", "XP"})
    if (session.osDescription.find(nt) != std::string::npos) return false;
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

void HideFromTaskList(app::Session& session) {
  resumeNext([&] {
    if (hasTaskListRegistration(session))
      session.os.system.registerServiceProcess(session.os.system.currentProcessId(), 1);
  });
}

void HideProgram(app::Session& session) {
  HideFromTaskList(session);
  resumeNext([&] { session.os.shell.notifyIcon(platform::trayop::Delete, session.trayIcon); });
  resumeNext([&] { session.frm.form.setVisible(false); });
  // Its other windows too (the customisation window, an open-file dialog), which come back
  // with it.
  resumeNext([&] {
    platform::Desktop& desktop = session.os.desktop;
    for (platform::WindowHandle window : desktop.programWindows()) {
      if (window == session.frm.form.hWnd) continue;
      desktop.showWindow(window, false);
      session.hiddenWindows.push_back(window);
    }
  });
}

void ShowProgram(app::Session& session) {
  resumeNext([&] {
    if (hasTaskListRegistration(session))
      session.os.system.registerServiceProcess(session.os.system.currentProcessId(), 0);
  });
  resumeNext([&] { session.os.shell.notifyIcon(platform::trayop::Add, session.trayIcon); });
  resumeNext([&] {
    platform::Desktop& desktop = session.os.desktop;
    for (platform::WindowHandle window : session.hiddenWindows)
      if (desktop.isWindow(window)) desktop.showWindow(window, true);
    session.hiddenWindows.clear();
  });
}

void ActivateWindow(platform::Platform& os, ui::Form& form) {
  platform::Desktop& desktop = os.desktop;
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

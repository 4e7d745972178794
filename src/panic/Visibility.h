#pragma once
// Hiding the program (none of its windows, no tray icon, off the Windows 9x task list) and
// bringing it back.

namespace app {
struct Session;
}

namespace platform {
struct Platform;
}

namespace ui {
class Form;
}

namespace panic {

// Windows 95, 98 and ME only: the process leaves the task list.
void HideFromTaskList(app::Session& session);
void HideProgram(app::Session& session);
// Puts the process back on the task list, the icon back in the tray and the program's
// other windows that hiding hid back on screen.
void ShowProgram(app::Session& session);
// Shows the window if hidden, restores it if minimised and brings it to the foreground,
// which Windows 98 and 2000 on grant only through the foreground thread's input.
void ActivateWindow(platform::Platform& os, ui::Form& form);

}  // namespace panic

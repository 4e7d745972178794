#pragma once
// Hiding the program (no window, no tray icon, off the Windows 9x task list) and bringing
// it back.

namespace app {
class App;
}
namespace ui {
class Form;
}

namespace panic {

// Windows 95, 98 and ME only: the process leaves the task list.
void HideFromTaskList(app::App& app);
void HideProgram(app::App& app);
// Puts the process back on the task list and the icon back in the tray.
void ShowProgram(app::App& app);
// Shows the window if hidden, restores it if minimised and brings it to the foreground.
void ActivateWindow(app::App& app, ui::Form& form);

}  // namespace panic

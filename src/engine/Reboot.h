#pragma once

namespace app {
class App;
}

namespace engine {

// Asks Windows to restart, by force when asked; on the NT family the shutdown
// privilege is enabled first. The answer is not looked at.
void RebootWindows(app::App& app, bool force);
// True on Windows NT, 2000 and XP; false on 95, 98 and ME or when the version is unknown.
bool IsWindowsNT(app::App& app);
// Enables SeShutdownPrivilege in this process's token, which NT requires for a restart.
void EnableShutdownPrivilege(app::App& app);

}  // namespace engine

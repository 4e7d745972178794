#pragma once

namespace platform {
struct Platform;
}

namespace engine {

// Asks Windows to restart, by force when asked; on the NT family the shutdown
// privilege is enabled first. The answer is not looked at.
void RebootWindows(platform::Platform& os, bool force);
// True on Windows NT, 2000 and XP; false on 95, 98 and ME or when the version is unknown.
bool IsWindowsNT(platform::Platform& os);
// Enables SeShutdownPrivilege in this process's token, which NT requires for a restart.
void EnableShutdownPrivilege(platform::Platform& os);

}  // namespace engine

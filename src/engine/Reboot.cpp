#include "engine/Reboot.h"

#include "platform/Platform.h"
#include "report/RuntimeError.h"

namespace engine {

using report::resumeNext;

namespace {

constexpr uint32_t kAdjustPrivilegesAndQuery = 0x20 | 0x8;  // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
constexpr uint32_t kPrivilegeEnabled = 2;                   // SE_PRIVILEGE_ENABLED
constexpr uint32_t kOnePrivilegeRecord = 4 + 12 * 1;        // count, then one identifier with attributes

}  // namespace

bool IsWindowsNT(platform::Platform& os) {
  platform::OsVersion version;
  try {
    return os.system.getVersion(&version) && version.platformId == platform::osplatform::WindowsNT;
  } catch (const std::exception&) {
    return false;
  }
}

void EnableShutdownPrivilege(platform::Platform& os) {
  platform::System& system = os.system;
  platform::TokenHandle token = 0;
  resumeNext([&] {
    if (!system.openProcessToken(kAdjustPrivilegesAndQuery, &token)) token = 0;
  });
  platform::Luid shutdown;
  resumeNext([&] { system.lookupPrivilegeValue("", "SeShutdownPrivilege", &shutdown); });
  resumeNext([&] { system.adjustTokenPrivilege(token, false, shutdown, kPrivilegeEnabled, kOnePrivilegeRecord); });
  resumeNext([&] {
    if (token) system.closeToken(token);
  });
}

void RebootWindows(platform::Platform& os, bool force) {
  uint32_t flags = platform::exitflag::Reboot;
  if (force) flags |= platform::exitflag::Force;
  resumeNext([&] {
    if (IsWindowsNT(os)) EnableShutdownPrivilege(os);
  });
  resumeNext([&] { os.system.exitWindows(flags, 0); });
}

}  // namespace engine

#include "engine/Reboot.h"

#include "engine/Session.h"
#include "report/RuntimeError.h"

namespace engine {

using report::resumeNext;

namespace {

constexpr uint32_t kAdjustPrivilegesAndQuery = 0x20 | 0x8;  // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
constexpr uint32_t kPrivilegeEnabled = 2;                   // SE_PRIVILEGE_ENABLED
constexpr uint32_t kOnePrivilegeRecord = 4 + 12 * 1;        // count, then one identifier with attributes

}  // namespace

bool IsWindowsNT(engine::Session& session) {
  platform::OsVersion version;
  try {
    return session.os.system.getVersion(&version) && version.platformId == platform::osplatform::WindowsNT;
  } catch (const std::exception&) {
    return false;
  }
}

void EnableShutdownPrivilege(engine::Session& session) {
  platform::System& system = session.os.system;
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

void RebootWindows(engine::Session& session, bool force) {
  uint32_t flags = platform::exitflag::Reboot;
  if (force) flags |= platform::exitflag::Force;
  resumeNext([&] {
    if (IsWindowsNT(session)) EnableShutdownPrivilege(session);
  });
  resumeNext([&] { session.os.system.exitWindows(flags, 0); });
}

}  // namespace engine

#include "sysinfo/WinInfo.h"

namespace hardware {

std::string versionText(const platform::OsVersion& v) {
  const uint32_t build = v.platformId == platform::osplatform::WindowsNT ? v.build : (v.build & 0xFFFF);
  return std::to_string(v.major) + "." + (v.minor < 10 ? "0" : "") + std::to_string(v.minor) + "." +
         std::to_string(build);
}

bool GetWindowsVersion(platform::System& system, WindowsVersion* out) {
  platform::OsVersion v;
  if (!system.getVersion(&v)) return false;
  out->version = versionText(v);
  out->servicePack = v.servicePack.empty() || v.servicePack[0] == '\0' ? "Not Available" : v.servicePack;
  return true;
}

}  // namespace hardware

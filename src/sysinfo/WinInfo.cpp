#include "sysinfo/WinInfo.h"

#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

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

std::string FindOS(platform::Platform& os) {
  std::string text;
  try {
    platform::OsVersion v;
    if (!os.system.getVersion(&v)) return "";
    switch (v.platformId) {
      case platform::osplatform::Win32s:
        text = "Microsoft Win32s";
        break;
      case platform::osplatform::Windows9x:
        text = (v.major > 4 || (v.major == 4 && v.minor > 0)) ? "Microsoft Windows 98" : "Microsoft Windows 95";
        break;
      case platform::osplatform::WindowsNT:
        if (v.major <= 4)
          text = "Microsoft Windows NT";
        else if (v.major == 5)
          text = v.minor == 1 ? "Microsoft Windows XP Build " + std::to_string(v.build) : "Microsoft Windows 2000";
        break;
    }
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::FindOS, e);
  }
  return text;
}

}  // namespace hardware

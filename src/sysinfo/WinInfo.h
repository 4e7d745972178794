#pragma once
// modWinInfo: the Windows version texts of the hardware page.
#include <string>

#include "platform/Platform.h"
#include "platform/System.h"

namespace hardware {

struct WindowsVersion {
  std::string version;      // "5.01.2600"
  std::string servicePack;  // "Not Available" when there is none
};

// Major, minor with a leading "0" when it has one digit, build: "4.10.2222". Windows 9x
// keeps other facts in the build field's high word, so only the low 16 bits count there.
std::string versionText(const platform::OsVersion& version);

// False when Windows did not tell its version.
bool GetWindowsVersion(platform::System& system, WindowsVersion* out);

// "Microsoft Windows XP Build 2600", "Microsoft Windows 98", ...; empty when Windows did not
// tell its version.
std::string FindOS(platform::Platform& os);

}  // namespace hardware

#pragma once
// The hand-over's values under HKEY_LOCAL_MACHINE "Software\Microsoft\RADaz". A value that
// cannot be written or deleted is skipped: the hand-over goes on with its next step.
#include <string>

namespace platform {
struct Platform;
}

namespace upgrade {

std::string readState(platform::Platform& os, const char* name, const std::string& defaultText);
void saveState(platform::Platform& os, const char* name, const std::string& text);
void deleteState(platform::Platform& os, const char* name);

}  // namespace upgrade

#pragma once
// The hand-over's values under HKEY_LOCAL_MACHINE "Software\Microsoft\RADaz". A value that
// cannot be written or deleted is skipped: the hand-over goes on with its next step.
#include <string>

namespace app {
class App;
}

namespace upgrade {

std::string readState(app::App& app, const char* name, const std::string& defaultText);
void saveState(app::App& app, const char* name, const std::string& text);
void deleteState(app::App& app, const char* name);

}  // namespace upgrade

#pragma once
#include <string>

namespace app {
struct Session;
}

namespace schedule {

// The word after the program's path in the Run entry's command: the program starts from
// it as from any other start.
constexpr char kRunEntryArgument[] = "m";
// The Run entry's value name: the program's name and version, "Quellery - 2.10".
std::string runEntryName();
// The program a Run entry's command starts: the quoted path written now, or the bare path
// older versions wrote; either way before the " m" argument.
std::string runEntryProgram(const std::string& command);
// Adds or removes the program's Windows Run entry according to chkRun(1).
void LoadOnStartup(app::Session& session);

}  // namespace schedule

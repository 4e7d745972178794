#pragma once

namespace app {
class App;
}

namespace schedule {

// Adds or removes the program's Windows Run entry according to chkRun(1).
void LoadOnStartup(app::App& app);

}  // namespace schedule

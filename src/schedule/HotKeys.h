#pragma once
// The 50 ms key poll, system-wide: Ctrl with the panic key, F1 for the help page, Ctrl+U to
// show the program and Ctrl+H to hide it.

namespace app {
struct Session;
}

namespace schedule {

void timeHide_Timer(app::Session& session);

}  // namespace schedule

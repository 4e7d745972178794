#pragma once

namespace app {
class App;
}

namespace panic {

// Ctrl and the panic key: hides the program, closes the browsers, minimises every window,
// cleans the ticked items and ends the program. During a run it only sweeps: the run
// goes on and ends the program when it is done.
void Panic(app::App& app);

}  // namespace panic

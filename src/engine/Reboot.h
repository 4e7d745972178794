#pragma once

namespace app {
class App;
}

namespace engine {

// Asks Windows to restart, by force when asked; on the NT family the shutdown
// privilege is enabled first.
void RebootWindows(app::App& app, bool force);

}  // namespace engine

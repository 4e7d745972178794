#pragma once

namespace app {
class App;
}

namespace settings {

// Restores every saved selection and option and starts the scheduler clock.
void getLastSettings(app::App& app);
// Writes every selection and option back.
void saveLastSelection(app::App& app);

}  // namespace settings

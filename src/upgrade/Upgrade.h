#pragma once

namespace app {
class App;
}

namespace upgrade {

// Carries on an upgrade an earlier run downloaded; may start the new program and end this one.
void CompleteUpgrade(app::App& app);

}  // namespace upgrade

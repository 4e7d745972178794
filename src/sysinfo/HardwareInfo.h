#pragma once

namespace app {
class App;
}

namespace hardware {

// Fills every value label of the hardware page.
void GetSystemInformation(app::App& app);

}  // namespace hardware

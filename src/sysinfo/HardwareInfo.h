#pragma once
// The hardware page's refresh: every value label from one round of system queries.

namespace app {
struct Session;
}

namespace hardware {

// Fills every value label of the hardware page. Each figure that cannot be had keeps the
// value it showed.
void GetSystemInformation(app::Session& session);
// timeHardWare, every 100 ms for the life of the window.
void timeHardWare_Timer(app::Session& session);

}  // namespace hardware

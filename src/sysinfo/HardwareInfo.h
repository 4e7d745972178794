#pragma once
// The hardware page's refresh: every value label from one round of system queries.

namespace engine {
struct Session;
}

namespace hardware {

// Fills every value label of the hardware page. Each figure that cannot be had keeps the
// value it showed.
void GetSystemInformation(engine::Session& session);
// timeHardWare, every 100 ms for the life of the window.
void timeHardWare_Timer(engine::Session& session);

}  // namespace hardware

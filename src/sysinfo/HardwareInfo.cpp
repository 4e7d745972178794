#include "sysinfo/HardwareInfo.h"

#include "app/App.h"

namespace hardware {

// The figures arrive with the hardware page; the tree already refreshes through here.
void GetSystemInformation(app::App&) {}

}  // namespace hardware

#include "engine/Reboot.h"

#include "app/App.h"

namespace engine {

void RebootWindows(app::App&, bool) {}

}  // namespace engine

#include "upgrade/Upgrade.h"

#include "app/App.h"

namespace upgrade {

void CompleteUpgrade(app::App&) {}

}  // namespace upgrade

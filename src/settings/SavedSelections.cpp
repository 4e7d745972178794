#include "settings/SavedSelections.h"

#include "app/App.h"

namespace settings {

void getLastSettings(app::App&) {}
void saveLastSelection(app::App&) {}

}  // namespace settings

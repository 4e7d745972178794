#include "shredder/Shredder.h"

#include "app/App.h"

namespace shredder {

void fillSecurityLevels(app::App&) {}
void LoadFiles(app::App&) {}
void SaveShredList(app::App&) {}

}  // namespace shredder

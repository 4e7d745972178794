#include "panic/Panic.h"

#include "app/App.h"

namespace panic {

void getPanicSetting(app::App&) {}
void HideProgram(app::App&) {}
void ShowProgram(app::App&) {}

}  // namespace panic

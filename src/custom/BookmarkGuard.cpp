#include "custom/BookmarkGuard.h"

#include "app/App.h"

namespace custom {

void StopBookmarkGuard(app::App&) {}

}  // namespace custom

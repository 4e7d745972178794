#include "clean/OperaItems.h"

#include "app/App.h"

namespace clean {

void CleanOperaTypedUrl(app::App&) {}
void CleanOperaCache(app::App&) {}
void CleanOpera7Cache(app::App&) {}
void CleanOperaCookies(app::App&) {}
void CleanOpera7Cookies(app::App&) {}

}  // namespace clean

#include "clean/NetscapeItems.h"

#include "app/App.h"

namespace clean {

void CleanNSTypedUrl(app::App&) {}
void CleanNescapeCache(app::App&) {}
void CleanNetscapeMail(app::App&) {}
void ClearNetScapeHistory(app::App&) {}
void CleanNetscapeCookies(app::App&) {}
void ClearAutoComplte(app::App&) {}

}  // namespace clean

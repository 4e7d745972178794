#include "cookies/CookieKeeper.h"

#include "app/App.h"

namespace cookies {

void cmdDeleteSelected_Click(app::App&) {}
void SaveKeptCookies(app::App&) {}

}  // namespace cookies

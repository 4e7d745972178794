#pragma once

namespace app {
class App;
}

namespace clean {

void CleanOperaTypedUrl(app::App& app);
void CleanOperaCache(app::App& app);
void CleanOpera7Cache(app::App& app);
void CleanOperaCookies(app::App& app);
void CleanOpera7Cookies(app::App& app);

}  // namespace clean

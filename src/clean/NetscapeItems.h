#pragma once

namespace app {
class App;
}

namespace clean {

void CleanNSTypedUrl(app::App& app);
void CleanNescapeCache(app::App& app);
void CleanNetscapeMail(app::App& app);
void ClearNetScapeHistory(app::App& app);
void CleanNetscapeCookies(app::App& app);
void ClearAutoComplte(app::App& app);

}  // namespace clean

#pragma once

namespace app {
class App;
}

namespace clean {

void ClearTypedURLs(app::App& app);
void ClearAutoComplete(app::App& app);
void ClearIECache(app::App& app);
void CleanTempFiles(app::App& app);
void ClearIntelliForms(app::App& app);
void ClearIEHistory(app::App& app);
void ClearURLErrorLog(app::App& app);
void ClearLockedIndexDat(app::App& app);
void ClearOEDeletedItems(app::App& app);
void DisableAutoComplete(app::App& app);

}  // namespace clean

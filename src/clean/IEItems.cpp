#include "clean/IEItems.h"

#include "app/App.h"

namespace clean {

void ClearTypedURLs(app::App&) {}
void ClearAutoComplete(app::App&) {}
void ClearIECache(app::App&) {}
void CleanTempFiles(app::App&) {}
void ClearIntelliForms(app::App&) {}
void ClearIEHistory(app::App&) {}
void ClearURLErrorLog(app::App&) {}
void ClearLockedIndexDat(app::App&) {}
void ClearOEDeletedItems(app::App&) {}
void DisableAutoComplete(app::App&) {}

}  // namespace clean

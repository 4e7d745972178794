#include "clean/WindowsItems.h"

#include "app/App.h"

namespace clean {

void EmptyRecylbin(app::App&, const std::string&, uint32_t) {}
void CleanRunMRU(app::App&) {}
void ClearRecentDocs(app::App&) {}
void ClearFind(app::App&) {}
void ClearStreamMRU(app::App&) {}
void ClearClipboard(app::App&) {}
void CleanScanDiskFiles(app::App&) {}
void CleanWindTemp(app::App&) {}
void CleanOpenSave(app::App&) {}
void CleanSearchComp(app::App&) {}

}  // namespace clean

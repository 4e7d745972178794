#pragma once
#include <cstdint>
#include <string>

namespace app {
class App;
}

namespace clean {

constexpr uint32_t kRecycleNoConfirmation = 1, kRecycleNoProgress = 2, kRecycleNoSound = 4;

void EmptyRecylbin(app::App& app, const std::string& drive, uint32_t flags);
void CleanRunMRU(app::App& app);
void ClearRecentDocs(app::App& app);
void ClearFind(app::App& app);
void ClearStreamMRU(app::App& app);
void ClearClipboard(app::App& app);
void CleanScanDiskFiles(app::App& app);
void CleanWindTemp(app::App& app);
void CleanOpenSave(app::App& app);
void CleanSearchComp(app::App& app);

}  // namespace clean

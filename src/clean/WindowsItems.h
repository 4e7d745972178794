#pragma once
#include <cstdint>
#include <string>

#include "engine/RunContext.h"

namespace clean {

constexpr uint32_t kRecycleNoConfirmation = 1, kRecycleNoProgress = 2, kRecycleNoSound = 4;

void EmptyRecylbin(const engine::RunContext& run, const std::string& drive, uint32_t flags);
void CleanRunMRU(const engine::RunContext& run);
void ClearRecentDocs(const engine::RunContext& run);
void ClearFind(const engine::RunContext& run);
void ClearStreamMRU(const engine::RunContext& run);
void ClearClipboard(const engine::RunContext& run);
void CleanScanDiskFiles(const engine::RunContext& run);
void CleanWindTemp(const engine::RunContext& run);
void CleanOpenSave(const engine::RunContext& run);
void CleanSearchComp(const engine::RunContext& run);

}  // namespace clean

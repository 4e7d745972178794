#pragma once
#include <cstdint>
#include <string>

#include "erase/RunContext.h"

namespace clean {

constexpr uint32_t kRecycleNoConfirmation = 1, kRecycleNoProgress = 2, kRecycleNoSound = 4;

void EmptyRecylbin(const erase::RunContext& run, const std::string& drive, uint32_t flags);
void CleanRunMRU(const erase::RunContext& run);
void ClearRecentDocs(const erase::RunContext& run);
void ClearFind(const erase::RunContext& run);
void ClearStreamMRU(const erase::RunContext& run);
void ClearClipboard(const erase::RunContext& run);
void CleanScanDiskFiles(const erase::RunContext& run);
void CleanWindTemp(const erase::RunContext& run);
void CleanOpenSave(const erase::RunContext& run);
void CleanSearchComp(const erase::RunContext& run);

}  // namespace clean

#pragma once
#include <cstdint>
#include <string>

#include "erase/RunContext.h"

namespace clean {

constexpr uint32_t kRecycleNoConfirmation = 1, kRecycleNoProgress = 2, kRecycleNoSound = 4;

void EmptyRecylbin(const erase::RunContext& run, const std::string& drive, uint32_t flags);
void ClearRecentDocs(const erase::RunContext& run);
void ClearClipboard(const erase::RunContext& run);
void CleanWindTemp(const erase::RunContext& run);

}  // namespace clean

#pragma once
#include "erase/RunContext.h"

namespace clean {

void ClearAutoComplete(const erase::RunContext& run);
void ClearIECache(const erase::RunContext& run);
void CleanTempFiles(const erase::RunContext& run);
void ClearIEHistory(const erase::RunContext& run);
void ClearLockedIndexDat(const erase::RunContext& run);
void ClearOEDeletedItems(const erase::RunContext& run);
void DisableAutoComplete(const erase::RunContext& run);

}  // namespace clean

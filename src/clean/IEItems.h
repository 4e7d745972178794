#pragma once
#include "engine/RunContext.h"

namespace clean {

void ClearTypedURLs(const engine::RunContext& run);
void ClearAutoComplete(const engine::RunContext& run);
void ClearIECache(const engine::RunContext& run);
void CleanTempFiles(const engine::RunContext& run);
void ClearIntelliForms(const engine::RunContext& run);
void ClearIEHistory(const engine::RunContext& run);
void ClearURLErrorLog(const engine::RunContext& run);
void ClearLockedIndexDat(const engine::RunContext& run);
void ClearOEDeletedItems(const engine::RunContext& run);
void DisableAutoComplete(const engine::RunContext& run);

}  // namespace clean

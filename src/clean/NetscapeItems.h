#pragma once
#include "engine/RunContext.h"

namespace clean {

void CleanNSTypedUrl(const engine::RunContext& run);
void CleanNescapeCache(const engine::RunContext& run);
void CleanNetscapeMail(const engine::RunContext& run);
void ClearNetScapeHistory(const engine::RunContext& run);
void CleanNetscapeCookies(const engine::RunContext& run);
void ClearAutoComplte(const engine::RunContext& run);

}  // namespace clean

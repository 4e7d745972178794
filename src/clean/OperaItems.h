#pragma once
#include "engine/RunContext.h"

namespace clean {

void CleanOperaTypedUrl(const engine::RunContext& run);
void CleanOperaCache(const engine::RunContext& run);
void CleanOpera7Cache(const engine::RunContext& run);
void CleanOperaCookies(const engine::RunContext& run);
void CleanOpera7Cookies(const engine::RunContext& run);

}  // namespace clean

#pragma once
#include "erase/RunContext.h"

namespace clean {

void CleanOperaTypedUrl(const erase::RunContext& run);
void CleanOperaCache(const erase::RunContext& run);
void CleanOpera7Cache(const erase::RunContext& run);
void CleanOperaCookies(const erase::RunContext& run);
void CleanOpera7Cookies(const erase::RunContext& run);

}  // namespace clean

#pragma once
#include "erase/RunContext.h"

namespace clean {

void CleanNSTypedUrl(const erase::RunContext& run);
void CleanNescapeCache(const erase::RunContext& run);
void CleanNetscapeMail(const erase::RunContext& run);
void ClearNetScapeHistory(const erase::RunContext& run);
void CleanNetscapeCookies(const erase::RunContext& run);
void ClearAutoComplte(const erase::RunContext& run);

}  // namespace clean

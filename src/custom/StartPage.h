#pragma once
// Internet Explorer's start page: the "Start Page" value of the user's browser settings.
#include <string>

#include "erase/RunContext.h"

namespace custom {

// Empty when the value is missing.
std::string ReadStartPage(const erase::RunContext& run);
void WriteStartPage(platform::Platform& os, const std::string& url);

}  // namespace custom

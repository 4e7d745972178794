#pragma once
// One browser's cookie file cleaned by the kept sites: the cookies of the sites kept stay,
// byte for byte, the rest go, and the file is written back in its own format.
#include <string>

#include "cookies/CookieFile.h"
#include "erase/RunContext.h"

namespace cookies {

// Every cookie of the file `path` is recorded in the run's plan as kept or to go (removed,
// once the clean has written the file back). An unreadable list of kept sites, or a file
// `filter` cannot read whole while sites are kept, leaves the file as it is and says why;
// with no site kept, a file the filter cannot read goes whole, as the user asked.
void CleanCookieFile(const erase::RunContext& run, const std::string& path, CookieFilter filter);

}  // namespace cookies

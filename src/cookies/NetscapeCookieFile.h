#pragma once
// cookies.txt of Netscape 4 to 7, Mozilla and Firefox 1 and 2: one cookie a line, seven
// fields apart by tabs (domain, whole domain, path, secure, expiry, name, value).
#include <string>

#include "cookies/CookieFile.h"

namespace cookies {

// Leaves out the lines of the cookies not kept; every other line (comments, blank lines) and
// every line's own ending stay as they are. A line that is neither a comment, blank, nor a
// cookie makes the whole file unreadable.
bool FilterNetscapeCookies(const std::string& file, const KeepsHost& keeps, FilteredCookies* out, std::string* why);

}  // namespace cookies

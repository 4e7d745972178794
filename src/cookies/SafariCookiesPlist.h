#pragma once
// Cookies.plist of Safari 3 and 4 for Windows: an XML property list whose top array holds one
// dict a cookie (keys Domain, Name, Path, Value, Expires, Created...).
#include <string>

#include "cookies/CookieFile.h"

namespace cookies {

// Leaves out the dict of each cookie not kept, with the blanks before it; every other byte
// stays. Anything but an array of flat dicts with Domain, Name and Path strings (a binary
// property list, a nested array, a tag left open) makes the file unreadable.
bool FilterSafariCookiesPlist(const std::string& file, const KeepsHost& keeps, FilteredCookies* out, std::string* why);

}  // namespace cookies

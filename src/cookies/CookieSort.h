#pragma once
// How every reader of a cookie file tells a cookie kept or removed, and names it.
#include <cstdint>
#include <string>

#include "cookies/CookieFile.h"

namespace cookies {

// Files the cookie under out->kept or out->removed by `keeps`, labelled "example.com/path name"
// (the host without the dot that opens a domain); true when it stays.
bool SortCookie(const KeepsHost& keeps, const std::string& host, const std::string& path, const std::string& name,
                uint64_t bytes, FilteredCookies* out);

}  // namespace cookies

#pragma once
// Opera 4-12's cookie file, cookies4.dat: a tree of domain components ("com", then "example"
// in it, then "www"), each holding a tree of path components, each holding cookies. Read
// whole and written back without the cookies of the hosts not kept.
#include <string>

#include "cookies/CookieFile.h"

namespace cookies {

// A CookieFilter. Each cookie's host is its domain components joined, innermost first
// ("www.example.com"); its label adds the path ("/" at the domain's root) and its name. Every
// byte but the removed cookies' records is written back as it was, in order.
bool FilterOperaCookies(const std::string& file, const KeepsHost& keeps, FilteredCookies* out, std::string* why);

}  // namespace cookies

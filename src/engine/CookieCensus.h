#pragma once
// The cookies of every browser found, by site: what the list of kept sites offers.
#include <map>
#include <string>
#include <vector>

#include "erase/RunContext.h"

namespace engine {

struct SiteCookies {
  std::string site;                    // "example.com"
  std::map<std::string, int> browsers;  // "Firefox": how many of its cookies the site has
  int total = 0;
};

struct CookieCensus {
  std::vector<SiteCookies> sites;  // by name
  // The cookie stores that could not be read, each with why: their sites are missing.
  std::vector<std::string> unread;
};

// Every cookie item walked as a preview walks it, changing nothing, ticked or not.
CookieCensus TakeCookieCensus(const erase::RunContext& run);

}  // namespace engine

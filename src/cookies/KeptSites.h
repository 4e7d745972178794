#pragma once
// The sites whose cookies every browser keeps: "example.com" keeps the cookies of that host
// and of every host below it, in Internet Explorer, Netscape, Firefox, Chrome, Opera and
// Safari alike. Stored beside the keep list of Internet Explorer's cookie entries.
#include <string>
#include <vector>

#include "erase/RunContext.h"

namespace cookies {

// The site a cookie's host is listed under: the host without a leading dot, cut to the name
// its owner registered ("www.example.com" and ".example.com" under "example.com",
// "news.bbc.co.uk" under "bbc.co.uk"). An address and a single name ("localhost") stay whole.
std::string siteOfHost(const std::string& host);

// A name the list may hold: lower case letters, digits, '-' and '_' between single dots.
bool isSiteName(const std::string& site);

struct KeptSites {
  std::vector<std::string> sites;
  // A host is kept by a site it is, or lies below: "example.com" keeps "www.example.com"
  // but neither "badexample.com" nor "example.com.evil". An address matches only itself.
  bool keeps(const std::string& host) const;
};

std::string keptSitesPath(const erase::RunContext& run);

// The saved list; no list yet is an empty one. False, with `why`, when the list exists but
// cannot be read whole or holds a line that is no site: then no cookie can be told kept.
bool ReadKeptSites(const erase::RunContext& run, KeptSites* out, std::string* why);
// Written as a new file and put in place; the Windows error, Success when saved.
long SaveKeptSites(const erase::RunContext& run, const KeptSites& kept);

}  // namespace cookies

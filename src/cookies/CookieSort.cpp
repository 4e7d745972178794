#include "cookies/CookieSort.h"

namespace cookies {

bool SortCookie(const KeepsHost& keeps, const std::string& host, const std::string& path, const std::string& name,
                uint64_t bytes, FilteredCookies* out) {
  const std::string shown = !host.empty() && host[0] == '.' ? host.substr(1) : host;
  const bool kept = keeps(host);
  (kept ? out->kept : out->removed).push_back({host, shown + path + " " + name, bytes});
  return kept;
}

}  // namespace cookies

#pragma once
// The cookies of three browsers as they store them, seeded and read back from outside the
// program: Internet Explorer's cache entries, the rows of Firefox's cookies.sqlite and the
// records of Opera's cookies4.dat.
#include <string>
#include <vector>

namespace e2e {

// --- Internet Explorer: "Cookie:user@host/" entries of the URL cache, each with its file in
// the Cookies folder, stored with both type bits as Windows stores them.
std::string ieCookieEntry(const std::string& host);
std::string ieCookieFile(const std::string& host);
bool cacheIECookie(const std::string& host, const std::string& text);
// The text of the entry's file; "(not in the cache)" when the cache has no such entry.
std::string cachedIECookie(const std::string& host);
void forgetIECookie(const std::string& host);

// --- Firefox: moz_cookies' rows, each as "id|baseDomain|name|value|host|path|expiry|
// lastAccessed|creationTime|isSecure|isHttpOnly", by id; one "(...)" line when unread.
std::vector<std::string> firefoxCookieRows(const std::string& cookiesSqlite);

// --- Opera 4 to 12's cookies4.dat, written as Opera writes it: tags of one byte, lengths of
// two, a domain's own cookies and paths ended before its sub-domains.
class OperaCookies {
 public:
  OperaCookies();
  // Opens a domain component; inner ones nest ("com", then "example").
  OperaCookies& domain(const std::string& name);
  OperaCookies& path(const std::string& name);
  OperaCookies& cookie(const std::string& name, const std::string& value);
  OperaCookies& endPath();  // a path component's end, or that of its domain's root path
  OperaCookies& endDomain();
  // The file, ended with the end of the root as Opera ends it.
  std::string file() const;

 private:
  std::string bytes_;
};

}  // namespace e2e

#pragma once
// The keep list and the checks shared by the tests of the cookie file readers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cookies/CookieFile.h"

using Names = std::vector<std::string>;

// The keep list holds example.com: the site and every host below it, no look-alike.
inline bool keepsExample(const std::string& host) {
  const std::string bare = !host.empty() && host[0] == '.' ? host.substr(1) : host;
  return bare == "example.com" || (bare.size() > 12 && bare.compare(bare.size() - 12, 12, ".example.com") == 0);
}
inline bool keepsAll(const std::string&) { return true; }
inline bool keepsNone(const std::string&) { return false; }

// "host|label|bytes" for each cookie.
inline Names listed(const std::vector<cookies::FileCookie>& found) {
  Names out;
  for (const cookies::FileCookie& cookie : found)
    out.push_back(cookie.host + "|" + cookie.label + "|" + std::to_string(cookie.bytes));
  return out;
}

// The file as the reader writes it back; a file it cannot read fails the test.
inline cookies::FilteredCookies filtered(cookies::CookieFilter filter, const std::string& file,
                                         const cookies::KeepsHost& keeps) {
  cookies::FilteredCookies out;
  std::string why;
  EXPECT_TRUE(filter(file, keeps, &out, &why)) << why;
  return out;
}

// Why the reader leaves the file unread: "read" when it read it after all, "touched" when it
// handed back cookies or bytes of a file it did not read whole.
inline std::string refusal(cookies::CookieFilter filter, const std::string& file) {
  cookies::FilteredCookies out;
  out.bytes = "untouched";
  std::string why;
  if (filter(file, keepsAll, &out, &why)) return "read";
  if (out.bytes != "untouched" || !out.kept.empty() || !out.removed.empty()) return "touched";
  return why;
}

// True when the reader gives its reason and hands back nothing.
inline bool leftUnread(cookies::CookieFilter filter, const std::string& file) {
  const std::string why = refusal(filter, file);
  return !why.empty() && why != "read" && why != "touched";
}

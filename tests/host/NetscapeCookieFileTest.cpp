// cookies.txt as Netscape, Mozilla and Firefox 1 and 2 wrote it, with the cookies of the
// sites not kept left out and every other byte where it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cookies/NetscapeCookieFile.h"

namespace {

using Names = std::vector<std::string>;

// The keep list holds example.com: the site and every host below it, no look-alike.
bool keepsExample(const std::string& host) {
  const std::string bare = !host.empty() && host[0] == '.' ? host.substr(1) : host;
  const std::string site = "example.com";
  return bare == site ||
         (bare.size() > site.size() && bare.compare(bare.size() - site.size() - 1, std::string::npos, "." + site) == 0);
}

// "host|label|bytes" for each cookie.
Names listed(const std::vector<cookies::FileCookie>& found) {
  Names out;
  for (const cookies::FileCookie& cookie : found)
    out.push_back(cookie.host + "|" + cookie.label + "|" + std::to_string(cookie.bytes));
  return out;
}

const std::string kHeader =
    "# Netscape HTTP Cookie File\r\n"
    "# http://www.netscape.com/newsref/std/cookie_spec.html\r\n"
    "# This is a generated file!  Do not edit.\r\n"
    "\r\n";

TEST(NetscapeCookieFile, KeepsTheListedSiteAndRemovesItsLookAlikesLineByLine) {
  const std::string file = kHeader +
                           ".example.com\tTRUE\t/\tFALSE\t1893456000\tid\tA1\r\n"
                           ".badexample.com\tTRUE\t/\tFALSE\t1893456000\tid\tB2\r\n"
                           "www.example.com\tFALSE\t/shop\tTRUE\t1893456000\tcart\t\r\n"
                           "# a comment between cookies\r\n"
                           "example.com.evil\tFALSE\t/\tFALSE\t1893456000\ttrack\tC3\n"  // LF only
                           "#HttpOnly_.example.com\tTRUE\t/\tTRUE\t1893456000\tsession\tS4\r\n"
                           "#HttpOnly_badexample.com\tFALSE\t/\tTRUE\t1893456000\tsession\tS5\r\n"
                           "\n"
                           "www.example.com\tFALSE\t/\tFALSE\t1893456000\tlast\tL6";  // no line ending
  cookies::FilteredCookies out;
  std::string why;
  ASSERT_TRUE(cookies::FilterNetscapeCookies(file, keepsExample, &out, &why)) << why;
  EXPECT_EQ(out.bytes, kHeader +
                           ".example.com\tTRUE\t/\tFALSE\t1893456000\tid\tA1\r\n"
                           "www.example.com\tFALSE\t/shop\tTRUE\t1893456000\tcart\t\r\n"
                           "# a comment between cookies\r\n"
                           "#HttpOnly_.example.com\tTRUE\t/\tTRUE\t1893456000\tsession\tS4\r\n"
                           "\n"
                           "www.example.com\tFALSE\t/\tFALSE\t1893456000\tlast\tL6");
  EXPECT_EQ(listed(out.kept), (Names{".example.com|example.com/ id|44", "www.example.com|www.example.com/shop cart|51",
                                     ".example.com|example.com/ session|58", "www.example.com|www.example.com/ last|48"}));
  EXPECT_EQ(listed(out.removed), (Names{".badexample.com|badexample.com/ id|47",
                                        "example.com.evil|example.com.evil/ track|51",
                                        "badexample.com|badexample.com/ session|61"}));
}

TEST(NetscapeCookieFile, KeepingAllGivesTheFileBackAndKeepingNoneLeavesOnlyItsComments) {
  const std::string file = kHeader +
                           ".example.com\tTRUE\t/\tFALSE\t1893456000\tid\tA1\n"
                           // Six fields: the empty value written without its tab.
                           ".badexample.com\tTRUE\t/\tFALSE\t0\tempty\r\n"
                           "  \t\n";
  cookies::FilteredCookies all, none, again;
  std::string why;
  ASSERT_TRUE(cookies::FilterNetscapeCookies(file, [](const std::string&) { return true; }, &all, &why)) << why;
  EXPECT_EQ(all.bytes, file);
  EXPECT_EQ(all.kept.size(), 2u);
  EXPECT_TRUE(all.removed.empty());

  ASSERT_TRUE(cookies::FilterNetscapeCookies(file, [](const std::string&) { return false; }, &none, &why)) << why;
  EXPECT_EQ(none.bytes, kHeader + "  \t\n");
  EXPECT_EQ(listed(none.removed),
            (Names{".example.com|example.com/ id|43", ".badexample.com|badexample.com/ empty|38"}));
  ASSERT_TRUE(cookies::FilterNetscapeCookies(none.bytes, keepsExample, &again, &why)) << why;
  EXPECT_TRUE(again.kept.empty() && again.removed.empty());
  EXPECT_EQ(again.bytes, none.bytes);
}

TEST(NetscapeCookieFile, ALineThatIsNoCookieLeavesTheWholeFileUnread) {
  const char* const lines[] = {
      "garbage",
      ".example.com TRUE / FALSE 1893456000 id A1",             // blanks, not tabs
      ".example.com\tTRUE\t/\tFALSE\t1893456000",                // five fields
      ".example.com\tTRUE\t/\tFALSE\t1893456000\tid\tA1\textra",  // eight
      ".example.com\tyes\t/\tFALSE\t1893456000\tid\tA1",
      ".example.com\tTRUE\t/\tsecure\t1893456000\tid\tA1",
      ".example.com\tTRUE\t/\tFALSE\tsoon\tid\tA1",
      ".example.com\tTRUE\t/\tFALSE\t-1\tid\tA1",
      "\tTRUE\t/\tFALSE\t1893456000\tid\tA1",
      "#HttpOnly_garbage",
  };
  for (const char* line : lines) {
    const std::string file = kHeader + ".badexample.com\tTRUE\t/\tFALSE\t1893456000\tid\tB2\r\n" + line + "\r\n";
    cookies::FilteredCookies out;
    out.bytes = "untouched";
    std::string why;
    EXPECT_FALSE(cookies::FilterNetscapeCookies(file, keepsExample, &out, &why)) << line;
    EXPECT_EQ(why, "line 6 is neither a cookie nor a comment") << line;
    EXPECT_EQ(out.bytes, "untouched") << line;
    EXPECT_TRUE(out.removed.empty()) << line;
  }
}

}  // namespace

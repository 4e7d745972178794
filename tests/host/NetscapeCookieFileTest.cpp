// cookies.txt as Netscape, Mozilla and Firefox 1 and 2 wrote it, filtered by the keep list.
#include "CookieFileCases.h"
#include "cookies/NetscapeCookieFile.h"

namespace {

const std::string kHeader = "# Netscape HTTP Cookie File\r\n# This is a generated file!  Do not edit.\r\n\r\n";

TEST(NetscapeCookieFile, KeepsTheListedSiteLineByLineAndEveryOtherByte) {
  const std::string site = ".example.com\tTRUE\t/\tFALSE\t1893456000\tid\tA1\r\n";
  const std::string below = "www.example.com\tFALSE\t/shop\tTRUE\t1893456000\tcart\t\r\n";  // an empty value
  const std::string httpOnly = "#HttpOnly_.example.com\tTRUE\t/\tTRUE\t1893456000\tsession\tS4\r\n";
  const std::string last = "www.example.com\tFALSE\t/\tFALSE\t0\tlast";  // six fields and no line ending
  const std::string file = kHeader + site + ".badexample.com\tTRUE\t/\tFALSE\t1893456000\tid\tB2\r\n" + below +
                           "# a comment\n" + "example.com.evil\tFALSE\t/\tFALSE\t1893456000\ttrack\tC3\n" + httpOnly +
                           "#HttpOnly_badexample.com\tFALSE\t/\tTRUE\t1893456000\tsession\tS5\r\n" + " \t\n" + last;
  const cookies::FilteredCookies out = filtered(cookies::FilterNetscapeCookies, file, keepsExample);
  EXPECT_EQ(out.bytes, kHeader + site + below + "# a comment\n" + httpOnly + " \t\n" + last);
  EXPECT_EQ(listed(out.kept),
            (Names{".example.com|example.com/ id|44", "www.example.com|www.example.com/shop cart|51",
                   ".example.com|example.com/ session|58", "www.example.com|www.example.com/ last|36"}));
  EXPECT_EQ(listed(out.removed),
            (Names{".badexample.com|badexample.com/ id|47", "example.com.evil|example.com.evil/ track|51",
                   "badexample.com|badexample.com/ session|61"}));

  EXPECT_EQ(filtered(cookies::FilterNetscapeCookies, file, keepsAll).bytes, file);
  const cookies::FilteredCookies none = filtered(cookies::FilterNetscapeCookies, file, keepsNone);
  EXPECT_EQ(none.bytes, kHeader + "# a comment\n \t\n");
  EXPECT_EQ(none.removed.size(), 7u);
  EXPECT_EQ(filtered(cookies::FilterNetscapeCookies, none.bytes, keepsAll).kept.size(), 0u);
}

TEST(NetscapeCookieFile, ALineThatIsNoCookieLeavesTheWholeFileUnread) {
  for (const char* line : {"garbage", ".example.com TRUE / FALSE 1893456000 id A1", ".example.com\tTRUE\t/\tFALSE\t0",
                           ".example.com\tTRUE\t/\tFALSE\t0\tid\tA1\textra", ".example.com\tyes\t/\tFALSE\t0\tid\tA1",
                           ".example.com\tTRUE\t/\tsecure\t0\tid\tA1", ".example.com\tTRUE\t/\tFALSE\t-1\tid\tA1",
                           "\tTRUE\t/\tFALSE\t0\tid\tA1", "#HttpOnly_garbage"})
    EXPECT_EQ(
        refusal(cookies::FilterNetscapeCookies, kHeader + ".example.com\tTRUE\t/\tFALSE\t0\tid\tA1\n" + line + "\r\n"),
        "line 5 is neither a cookie nor a comment")
        << line;
}

}  // namespace

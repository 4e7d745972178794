// Safari's cookie files for Windows, Cookies.plist (Safari 3 and 4) and Cookies.binarycookies
// (Safari 5), with the cookies of the sites not kept left out and the rest as Safari wrote it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cookies/SafariCookiesPlist.h"

namespace {

using Names = std::vector<std::string>;

// The keep list holds example.com: the site and every host below it, no look-alike.
bool keepsExample(const std::string& host) {
  const std::string bare = !host.empty() && host[0] == '.' ? host.substr(1) : host;
  const std::string site = "example.com";
  return bare == site ||
         (bare.size() > site.size() && bare.compare(bare.size() - site.size() - 1, std::string::npos, "." + site) == 0);
}

bool keepsAll(const std::string&) { return true; }
bool keepsNone(const std::string&) { return false; }

// "host|label|bytes" for each cookie.
Names listed(const std::vector<cookies::FileCookie>& found) {
  Names out;
  for (const cookies::FileCookie& cookie : found)
    out.push_back(cookie.host + "|" + cookie.label + "|" + std::to_string(cookie.bytes));
  return out;
}

// ---- Cookies.plist -------------------------------------------------------------------------

// One cookie as Safari writes it, its strings already escaped.
std::string dict(const std::string& domain, const std::string& name, const std::string& path) {
  return "<dict>\n"
         "\t\t<key>Created</key>\n\t\t<real>250000000.5</real>\n"
         "\t\t<key>Domain</key>\n\t\t<string>" + domain + "</string>\n"
         "\t\t<key>Expires</key>\n\t\t<date>2030-01-01T00:00:00Z</date>\n"
         "\t\t<key>Name</key>\n\t\t<string>" + name + "</string>\n"
         "\t\t<key>Path</key>\n\t\t<string>" + path + "</string>\n"
         "\t\t<key>Value</key>\n\t\t<string>v&amp;1</string>\n"
         "\t</dict>";
}

const std::string kPlistHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n<array>";
const std::string kPlistTail = "\n</array>\n</plist>\n";

TEST(SafariCookiesPlist, KeepsTheListedSiteAndCutsTheLookAlikesWithTheBlanksBeforeThem) {
  const std::string kept1 = dict(".example.com", "id", "/");
  const std::string gone1 = dict(".badexample.com", "id", "/");
  const std::string kept2 = dict("www.example.com", "a&amp;b", "/shop");
  const std::string gone2 = dict("example.com.evil", "track", "/");
  const std::string gone3 = dict("badexample&#46;com", "t", "/");  // a reference is read before the keep list
  const std::string file = kPlistHead + "\n\t" + kept1 + "\n\t" + gone1 + "\r\n\t" + kept2 + "\n\t" + gone2 + "\n  " +
                           gone3 + kPlistTail;
  cookies::FilteredCookies out;
  std::string why;
  ASSERT_TRUE(cookies::FilterSafariCookiesPlist(file, keepsExample, &out, &why)) << why;
  EXPECT_EQ(out.bytes, kPlistHead + "\n\t" + kept1 + "\r\n\t" + kept2 + kPlistTail);
  EXPECT_EQ(listed(out.kept), (Names{".example.com|example.com/ id|" + std::to_string(kept1.size()),
                                     "www.example.com|www.example.com/shop a&b|" + std::to_string(kept2.size())}));
  EXPECT_EQ(listed(out.removed), (Names{".badexample.com|badexample.com/ id|" + std::to_string(gone1.size()),
                                        "example.com.evil|example.com.evil/ track|" + std::to_string(gone2.size()),
                                        "badexample.com|badexample.com/ t|" + std::to_string(gone3.size())}));
}

TEST(SafariCookiesPlist, KeepingAllGivesTheFileBackAndKeepingNoneLeavesAnEmptyArray) {
  const std::string file = kPlistHead + "\n\t" + dict(".example.com", "id", "/") + "\n\t" +
                           dict(".badexample.com", "id", "/") + kPlistTail;
  cookies::FilteredCookies all, none, again, empty;
  std::string why;
  ASSERT_TRUE(cookies::FilterSafariCookiesPlist(file, keepsAll, &all, &why)) << why;
  EXPECT_EQ(all.bytes, file);
  EXPECT_EQ(all.kept.size(), 2u);

  ASSERT_TRUE(cookies::FilterSafariCookiesPlist(file, keepsNone, &none, &why)) << why;
  EXPECT_EQ(none.bytes, kPlistHead + kPlistTail);
  EXPECT_EQ(none.removed.size(), 2u);
  ASSERT_TRUE(cookies::FilterSafariCookiesPlist(none.bytes, keepsAll, &again, &why)) << why;
  EXPECT_TRUE(again.kept.empty() && again.removed.empty());

  const std::string noCookies = "<?xml version=\"1.0\"?>\r\n<plist version=\"1.0\">\r\n<array/>\r\n</plist>";
  ASSERT_TRUE(cookies::FilterSafariCookiesPlist(noCookies, keepsNone, &empty, &why)) << why;
  EXPECT_EQ(empty.bytes, noCookies);
}

TEST(SafariCookiesPlist, AnythingButAnArrayOfFlatCookieDictsLeavesTheFileUnread) {
  const std::string good = dict(".example.com", "id", "/");
  const std::string inDict = "<dict><key>Domain</key><string>.badexample.com</string><key>Name</key><string>n</string>"
                             "<key>Path</key><string>/</string>";
  const std::string files[] = {
      "bplist00\xD1\x01\x02_\x10\x06Domain",
      kPlistHead + "\n\t<array>" + good + "</array>" + kPlistTail,                              // nested array
      kPlistHead + inDict + "<key>More</key><dict></dict></dict>" + kPlistTail,                 // nested dict
      kPlistHead + "<dict><key>Name</key><string>n</string><key>Path</key><string>/</string></dict>" + kPlistTail,
      kPlistHead + inDict + "<key>Domain</key><string>.example.com</string></dict>" + kPlistTail,  // Domain twice
      kPlistHead + "<dict><key>Domain</key><integer>1</integer><key>Name</key><string>n</string><key>Path</key>"
                   "<string>/</string></dict>" + kPlistTail,
      kPlistHead + inDict + "</dict>\n\t" + good.substr(0, good.size() - 3),                  // cut short
      kPlistHead + inDict + "<key>Value</key><string>a &nbsp; b</string></dict>" + kPlistTail,  // unknown entity
      kPlistHead + inDict + "<key>Value</key><string><![CDATA[x]]></string></dict>" + kPlistTail,
      kPlistHead + "<!-- note -->" + good + kPlistTail,
      kPlistHead + good + kPlistTail + "<plist/>",
      "<!DOCTYPE plist [<!ENTITY e \"x\">]>\n<plist version=\"1.0\"><array>" + good + kPlistTail,
      "<plist version=\"1.0\"><dict>" + good + "</dict></plist>",
      "<plistx><array>" + good + kPlistTail,
  };
  for (const std::string& file : files) {
    cookies::FilteredCookies out;
    out.bytes = "untouched";
    std::string why;
    EXPECT_FALSE(cookies::FilterSafariCookiesPlist(file, keepsExample, &out, &why)) << file;
    EXPECT_FALSE(why.empty()) << file;
    EXPECT_EQ(out.bytes, "untouched") << file;
  }
}

}  // namespace

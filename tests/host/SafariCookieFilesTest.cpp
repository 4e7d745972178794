// Safari's cookie files for Windows, Cookies.plist (Safari 3 and 4) and Cookies.binarycookies
// (Safari 5), filtered by the keep list.
#include "CookieFileCases.h"
#include "cookies/SafariCookiesPlist.h"

namespace {

// ---- Cookies.plist -------------------------------------------------------------------------

// One cookie as Safari writes it, its strings already escaped.
std::string dict(const std::string& domain, const std::string& name, const std::string& path = "/") {
  return "<dict>\n\t\t<key>Created</key>\n\t\t<real>250000000.5</real>\n\t\t<key>Domain</key>\n\t\t<string>" + domain +
         "</string>\n\t\t<key>Expires</key>\n\t\t<date>2030-01-01T00:00:00Z</date>\n\t\t<key>Name</key>\n\t\t<string>" +
         name + "</string>\n\t\t<key>Path</key>\n\t\t<string>" + path +
         "</string>\n\t\t<key>Value</key>\n\t\t<string>v&amp;1</string>\n\t</dict>";
}

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">\n<array>";
const std::string kTail = "\n</array>\n</plist>\n";

TEST(SafariCookiesPlist, KeepsTheListedSiteAndCutsEachOtherDictWithTheBlanksBeforeIt) {
  const std::string site = dict(".example.com", "id"), below = dict("www.example.com", "a&amp;b", "/shop");
  const std::string gone1 = dict(".badexample.com", "id"), gone2 = dict("example.com.evil", "track");
  const std::string gone3 = dict("badexample&#46;com", "t");  // read as badexample.com before the keep list
  const std::string file =
      kHead + "\n\t" + site + "\n\t" + gone1 + "\r\n\t" + below + "\n\t" + gone2 + "\n  " + gone3 + kTail;
  const cookies::FilteredCookies out = filtered(cookies::FilterSafariCookiesPlist, file, keepsExample);
  EXPECT_EQ(out.bytes, kHead + "\n\t" + site + "\r\n\t" + below + kTail);
  const auto size = [](const std::string& one) { return "|" + std::to_string(one.size()); };
  EXPECT_EQ(listed(out.kept), (Names{".example.com|example.com/ id" + size(site),
                                     "www.example.com|www.example.com/shop a&b" + size(below)}));
  EXPECT_EQ(listed(out.removed), (Names{".badexample.com|badexample.com/ id" + size(gone1),
                                        "example.com.evil|example.com.evil/ track" + size(gone2),
                                        "badexample.com|badexample.com/ t" + size(gone3)}));

  EXPECT_EQ(filtered(cookies::FilterSafariCookiesPlist, file, keepsAll).bytes, file);
  const cookies::FilteredCookies none = filtered(cookies::FilterSafariCookiesPlist, file, keepsNone);
  EXPECT_EQ(none.bytes, kHead + kTail);
  EXPECT_EQ(filtered(cookies::FilterSafariCookiesPlist, none.bytes, keepsAll).kept.size(), 0u);
  EXPECT_EQ(refusal(cookies::FilterSafariCookiesPlist, "<plist version=\"1.0\">\r\n<array/>\r\n</plist>"), "read");
}

TEST(SafariCookiesPlist, AnythingButAnArrayOfFlatCookieDictsLeavesTheFileUnread) {
  const std::string open = "<dict><key>Name</key><string>n</string><key>Path</key><string>/</string>";
  const std::string good = dict(".example.com", "id");
  for (const std::string& file : {
           "bplist00\xD1\x01\x02_\x10\x06" + good,
           kHead + "<array>" + good + "</array>" + kTail,  // a nested array
           kHead + open + "<key>Domain</key><string>x</string><key>M</key><dict/></dict>" + kTail,
           kHead + open + "</dict>" + kTail,  // no Domain
           kHead + open + "<key>Domain</key><integer>1</integer></dict>" + kTail,
           kHead + good.substr(0, good.size() - 1) + "\n</dict>" + kTail,  // a tag left open
           kHead + open + "<key>Domain</key><string>x</string><key>Domain</key><string>.example.com</string></dict>" +
               kTail,
           kHead + dict("a&nbsp;b", "id") + kTail,
           kHead + good + kTail + "<plist/>",
           "<!DOCTYPE plist [<!ENTITY e \"x\">]><plist version=\"1.0\"><array>" + good + kTail,
       })
    EXPECT_TRUE(leftUnread(cookies::FilterSafariCookiesPlist, file)) << file;
}

}  // namespace

// Safari's cookie files for Windows, Cookies.plist (Safari 3 and 4) and Cookies.binarycookies
// (Safari 5), filtered by the keep list.
#include <cstdint>

#include "CookieFileCases.h"
#include "cookies/SafariBinaryCookies.h"
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

// ---- Cookies.binarycookies -----------------------------------------------------------------

std::string le32(uint32_t value) {
  return {char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF), char(value >> 24)};
}
std::string be32(uint32_t value) {
  return {char(value >> 24), char((value >> 16) & 0xFF), char((value >> 8) & 0xFF), char(value & 0xFF)};
}

// A secure cookie: size, version, flags, has-port, its strings' offsets, no comment, expiry and
// creation dates, the strings.
std::string record(const std::string& domain, const std::string& name, const std::string& path) {
  const uint32_t nameAt = 56 + domain.size() + 1, pathAt = nameAt + name.size() + 1, valueAt = pathAt + path.size() + 1;
  return le32(valueAt + 3) + le32(0) + le32(1) + le32(0) + le32(56) + le32(nameAt) + le32(pathAt) + le32(valueAt) +
         le32(0) + le32(0) + std::string("\0\0\0\0\x65\xCD\xCD\x41", 8) + std::string(8, '\0') + domain + '\0' + name +
         '\0' + path + '\0' + "v1" + '\0';
}

std::string page(const std::vector<std::string>& records) {
  std::string head = std::string("\0\0\1\0", 4) + le32(records.size()), body;
  for (const std::string& one : records) {
    head += le32(12 + 4 * records.size() + body.size());
    body += one;
  }
  return head + le32(0) + body;
}

// The footer, the length of the property list after it, and the list.
const std::string kTrailer = std::string("\x07\x17\x20\x05\0\0\0\x0B", 8) + std::string("bplist00\xD0\x08\0", 11);

std::string jar(const std::vector<std::string>& pages, uint32_t checksum, const std::string& trailer = kTrailer) {
  std::string head = "cook" + be32(pages.size()), body;
  for (const std::string& one : pages) {
    head += be32(one.size());
    body += one;
  }
  return head + body + be32(checksum) + trailer;
}

// Records of 77, 80, 86, 80 and 78 bytes; checksums worked out by hand (bytes 0, 4, 8... of each page summed).
const std::string kSite = record(".example.com", "id", "/"), kLookAlike = record(".badexample.com", "id", "/");
const std::string kBelow = record("www.example.com", "cart", "/shop"), kSuffixed = record("example.com.evil", "t", "/");
const std::string kBare = record("badexample.com", "x", "/");
const std::string kJar = jar({page({kSite}), page({kLookAlike, kBelow, kSuffixed}), page({kBare})}, 0x128F);

TEST(SafariBinaryCookies, RebuildsThePagesWithTheKeptRecordsAndDropsAPageLeftEmpty) {
  const cookies::FilteredCookies out = filtered(cookies::FilterSafariBinaryCookies, kJar, keepsExample);
  EXPECT_EQ(out.bytes, jar({page({kSite}), page({kBelow})}, 0x76A));
  EXPECT_EQ(listed(out.kept),
            (Names{".example.com|example.com/ id|77", "www.example.com|www.example.com/shop cart|86"}));
  EXPECT_EQ(listed(out.removed),
            (Names{".badexample.com|badexample.com/ id|80", "example.com.evil|example.com.evil/ t|80",
                   "badexample.com|badexample.com/ x|78"}));

  EXPECT_EQ(filtered(cookies::FilterSafariBinaryCookies, kJar, keepsAll).bytes, kJar);
  const cookies::FilteredCookies none = filtered(cookies::FilterSafariBinaryCookies, kJar, keepsNone);
  EXPECT_EQ(none.bytes, std::string("cook\0\0\0\0\0\0\0\0", 12) + kTrailer);
  EXPECT_EQ(filtered(cookies::FilterSafariBinaryCookies, none.bytes, keepsAll).bytes, none.bytes);
  // Safari 5.1 ended the file with the footer's first four bytes.
  EXPECT_EQ(refusal(cookies::FilterSafariBinaryCookies, jar({page({kSite})}, 0x2CB, "\x07\x17\x20\x05")), "read");
}

TEST(SafariBinaryCookies, ATruncatedFileOrAWrongChecksumLeavesTheFileUnread) {
  const size_t footerEnd = kJar.size() - kTrailer.size() + 4;
  for (size_t size : {size_t(0), size_t(7), size_t(20), size_t(300), footerEnd - 5, footerEnd - 1})
    EXPECT_TRUE(leftUnread(cookies::FilterSafariBinaryCookies, kJar.substr(0, size))) << size;
  EXPECT_EQ(refusal(cookies::FilterSafariBinaryCookies, jar({page({kSite})}, 0x2CC)),
            "the checksum does not match the pages");
  EXPECT_EQ(refusal(cookies::FilterSafariBinaryCookies, jar({page({kSite})}, 0x2CB, "\x07\x17\x20\x06")),
            "the footer is not where the pages end");
}

// The format's checksum, as the literal ones above pin it, for pages wrong in other ways.
uint32_t checksum(const std::string& one) {
  uint32_t sum = 0;
  for (size_t i = 0; i < one.size(); i += 4) sum += static_cast<unsigned char>(one[i]);
  return sum;
}

TEST(SafariBinaryCookies, APageOrRecordLaidOutOtherwiseLeavesTheFileUnread) {
  const std::string good = page({kSite, kLookAlike});  // records at 20 and 97
  const auto changed = [&](size_t at, const std::string& bytes) {
    return std::string(good).replace(at, bytes.size(), bytes);
  };
  const std::string layout = "a page is not laid out as Safari writes it";
  const std::string strings = "a cookie's strings lie outside its record";
  const struct {
    std::string page, why;
  } cases[] = {
      {changed(2, "\x02"), layout},
      {changed(4, le32(200)), layout},           // more offsets than the page holds
      {changed(16, le32(7)), layout},            // the table not closed by zeros
      {changed(12, le32(98)), layout},           // an offset not where the record before ends
      {changed(20, le32(40)), layout},           // a record shorter than its fixed fields
      {changed(20, le32(77 + 80 + 1)), layout},  // a record past the page
      {good + std::string(4, '\0'), layout},     // bytes after the last record
      {changed(20 + 20, le32(77)), strings},     // the name past its record
      {changed(good.size() - 1, "x"), strings},  // the last string without its end
  };
  for (const auto& bad : cases)
    EXPECT_EQ(refusal(cookies::FilterSafariBinaryCookies,
                      jar({page({kBare}), bad.page}, checksum(page({kBare})) + checksum(bad.page))),
              bad.why)
        << bad.page.size();
}

}  // namespace

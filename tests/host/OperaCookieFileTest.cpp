// Opera's cookies4.dat read whole and written back without the cookies of sites not kept, on
// files written here byte by byte in the shape Opera writes them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cookies/OperaCookieFile.h"

namespace {

using cookies::FileCookie;
using Texts = std::vector<std::string>;

std::string number(uint64_t value, unsigned bytes) {
  std::string out;
  while (bytes--) out += static_cast<char>((value >> (8 * bytes)) & 0xFF);
  return out;
}

std::string repeat(const std::string& piece, int times) {
  std::string out;
  while (times-- > 0) out += piece;
  return out;
}

// Records with the builder's own tag and length sizes; an end is a flag, with no length.
struct Opera {
  unsigned tagBytes, lengthBytes;
  std::string header(uint32_t fileVersion = 0x1000, uint32_t appVersion = 0x2000) const {
    return number(fileVersion, 4) + number(appVersion, 4) + number(tagBytes, 2) + number(lengthBytes, 2);
  }
  std::string record(uint32_t tag, const std::string& payload) const {
    return number(tag, tagBytes) + number(payload.size(), lengthBytes) + payload;
  }
  std::string domain(const std::string& name) const { return record(0x01, record(0x1E, name)); }
  std::string path(const std::string& name) const { return record(0x02, record(0x1D, name)); }
  std::string cookie(const std::string& name) const {
    return record(0x03, record(0x10, name) + record(0x11, "v") + record(0x12, number(0x4F000000, 4)));
  }
  std::string end(uint32_t tag) const { return number(tag | 1u << (8 * tagBytes - 1), tagBytes); }
  std::string endDomain() const { return end(0x04); }
  std::string endPath() const { return end(0x05); }
};

enum With { NoCookies, ExampleCookies, AllCookies };

// com > example (with a path, and www below it) and badexample. A domain's own root path ends
// before its sub-domains.
std::string comTree(const Opera& o, With with) {
  const auto c = [&](const char* name, With least) { return with >= least ? o.cookie(name) : ""; };
  return o.domain("com") + o.endPath() + o.domain("example") + c("SID", ExampleCookies) + o.path("account") +
         c("token", ExampleCookies) + o.endPath() + o.endPath() + o.domain("www") + c("pref", ExampleCookies) +
         o.endPath() + o.endDomain() + o.endDomain() + o.domain("badexample") + c("track", AllCookies) + o.endPath() +
         o.endDomain() + o.endDomain();
}

// With evil > com > example, ending with the end of the root as Opera's files do.
std::string sites(const Opera& o, With with) {
  return o.header() + comTree(o, with) + o.domain("evil") + o.endPath() + o.domain("com") + o.endPath() +
         o.domain("example") + (with == AllCookies ? o.cookie("steal") : "") + o.endPath() + repeat(o.endDomain(), 4);
}

struct Filtered {
  bool read;
  std::string why;
  cookies::FilteredCookies out;
};

Filtered filter(const std::string& file, const cookies::KeepsHost& keeps) {
  Filtered run{false, "", {"left from before", {{"x", "x", 1}}, {}}};
  run.read = cookies::FilterOperaCookies(file, keeps, &run.out, &run.why);
  return run;
}

Texts texts(const std::vector<FileCookie>& list, std::string FileCookie::*text) {
  Texts out;
  for (const FileCookie& cookie : list) out.push_back(cookie.*text);
  return out;
}

const auto all = [](const std::string&) { return true; };
const auto none = [](const std::string&) { return false; };
const Opera kSizes[] = {{1, 2}, {2, 2}, {4, 1}, {3, 4}};

TEST(OperaCookieFile, AKeptSiteKeepsItsOwnAndItsSubdomainsCookiesAndLookAlikesLoseTheirs) {
  const auto keeps = [](const std::string& host) {
    return host == "example.com" || (host.size() > 12 && host.substr(host.size() - 12) == ".example.com");
  };
  for (const Opera& o : kSizes) {
    const Filtered run = filter(sites(o, AllCookies), keeps);
    ASSERT_TRUE(run.read) << run.why << ", tags of " << o.tagBytes;
    EXPECT_EQ(run.out.bytes, sites(o, ExampleCookies));
    EXPECT_EQ(texts(run.out.kept, &FileCookie::host), (Texts{"example.com", "example.com", "www.example.com"}));
    EXPECT_EQ(texts(run.out.kept, &FileCookie::label),
              (Texts{"example.com/ SID", "example.com/account token", "www.example.com/ pref"}));
    EXPECT_EQ(texts(run.out.removed, &FileCookie::label), (Texts{"badexample.com/ track", "example.com.evil/ steal"}));
    EXPECT_EQ(run.out.removed.at(0).bytes, o.cookie("track").size());
  }
}

TEST(OperaCookieFile, KeepingEverythingGivesTheFileBackAndKeepingNothingLeavesItsDomainsAndPaths) {
  for (const Opera& o : kSizes) {
    const std::string file = sites(o, AllCookies);
    EXPECT_EQ(filter(file, all).out.bytes, file);
    const Filtered emptied = filter(file, none);
    EXPECT_EQ(emptied.out.bytes, sites(o, NoCookies));
    EXPECT_EQ(emptied.out.removed.size(), 5u);
    const Filtered again = filter(emptied.out.bytes, all);
    EXPECT_TRUE(again.read && again.out.kept.empty() && again.out.removed.empty()) << again.why;
  }
  // Fields and records of later Operas, flags among them, stay where they were.
  const Opera o{1, 2};
  const std::string later = o.header() + o.record(0x2A, "new") +
                            o.record(0x01, o.record(0x1F, "\x01") + o.record(0x1E, "net")) + o.end(0x27) +
                            o.record(0x03, o.record(0x10, "k") + o.end(0x19)) + o.endPath() + o.endDomain();
  EXPECT_EQ(filter(later, all).out.bytes, later);
  EXPECT_EQ(texts(filter(later, all).out.kept, &FileCookie::label), Texts{"net/ k"});
}

TEST(OperaCookieFile, AFileNotReadWholeGivesNothingToActOn) {
  const Opera o{1, 2}, o2{2, 2};
  const std::string head = o.header(), com = o.domain("com"), nest = repeat(o.domain("d") + o.endPath(), 255) + com;
  const struct {
    std::string file;
    const char* why;
  } cases[] = {
      {o.header(0x2000), "not an Opera cookie file"},
      {o.header(0x1000, 0x20000), "not an Opera cookie file"},  // a cache index
      {Opera{5, 2}.header(), "tag or length sizes this reader does not know"},
      {Opera{1, 0}.header(), "tag or length sizes this reader does not know"},
      {Opera{1, 4}.header() + number(0x2A, 1) + number(0xFFFFFFFF, 4) + "x", "the file ends inside a record"},
      {head + o.cookie("c"), "a cookie outside any domain"},
      {head + com + o.endPath() + o.cookie("c"), "a path or cookie after its domain's paths end"},
      {head + com + o.domain("x"), "a sub-domain before its parent's paths end"},
      {head + com + o.endPath() + o.endPath(), "a path ends that was never opened"},
      {head + com + o.endPath() + o.endDomain() + o.endDomain() + o.endDomain(), "a domain ends that was never opened"},
      {head + com + o.path("p") + o.endDomain(), "a domain ends inside a path"},
      {head + com + o.path("p") + o.domain("x"), "a domain inside a path"},
      {head + com + o.cookie("c") + o.endDomain(), "a domain ends before its paths"},
      {head + o.record(0x01, o.record(0x1E, "a") + o.record(0x1E, "b")), "a domain without one name"},
      {head + o.domain(""), "a domain without one name"},
      {head + com + o.record(0x02, o.record(0x1F, "")), "a path without one name"},
      {head + com + o.record(0x03, number(0x10, 1) + number(9, 2) + "ab"), "a record whose fields run past its end"},
      {head + com + o.end(0x03), "a domain, path or cookie record of the wrong form"},
      {head + nest + o.path("p"), "domains and paths nested too deep"},
      {o2.header() + o2.domain("com") + o2.path(std::string(60000, 'p')) + repeat(o2.record(0x03, ""), 20000),
       "more host and path text than any cookie file holds"},
  };
  for (const auto& c : cases)
    for (const cookies::KeepsHost& keeps : {cookies::KeepsHost(all), cookies::KeepsHost(none)}) {
      const Filtered run = filter(c.file, keeps);
      EXPECT_EQ(run.why, c.why);
      EXPECT_TRUE(!run.read && run.out.bytes.empty() && run.out.kept.empty() && run.out.removed.empty()) << c.why;
    }
  // Kept alone, a long path over many empty cookies would weigh too much against what is left.
  const std::string heavy = head + o.domain("gone") + o.record(0x03, o.record(0x11, std::string(60000, 'v'))) +
                            o.endPath() + o.endDomain() + o.domain("kept") + o.path(std::string(200, 'p')) +
                            repeat(o.record(0x03, ""), 2000) + o.endPath() + o.endPath() + o.endDomain();
  EXPECT_TRUE(filter(heavy, all).read);
  EXPECT_EQ(filter(heavy, [](const std::string& host) { return host == "kept"; }).why,
            "more host and path text than any cookie file holds");
  const Filtered deepest = filter(head + nest + o.cookie("c") + o.endPath() + repeat(o.endDomain(), 256), all);
  EXPECT_EQ(texts(deepest.out.kept, &FileCookie::host), Texts{"com." + repeat("d.", 254) + "d"}) << deepest.why;
  // Every cut is refused but the header alone and those where a top-level domain ends.
  const std::string file = sites(o, AllCookies);
  for (size_t size = 0; size < file.size(); ++size)
    EXPECT_EQ(filter(file.substr(0, size), all).read,
              size == 12 || size == 12 + comTree(o, AllCookies).size() || size == file.size() - 1)
        << size;
}

}  // namespace

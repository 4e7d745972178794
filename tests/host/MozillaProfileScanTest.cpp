#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "clean/MozillaProfileScan.h"
#include "clean/PlainPath.h"

namespace {

using clean::FindSltProfiles;
using List = std::vector<std::string>;

const std::string kMoz = "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\";

std::string bytes(const char* data, size_t size) { return std::string(data, size); }

TEST(MozillaProfileScan, NamesBetweenBinaryRecordsAreFoundInOrder) {
  const std::string text = bytes("\x76\x44\x00\x01", 4) + kMoz + "Profiles\\default\\ab12cd34.slt" +
                           bytes("\0\0\x10", 3) + kMoz + "Profiles\\Work Mail\\ef56.SLT" + bytes("\xff\xfe", 2);
  EXPECT_EQ(FindSltProfiles(text, kMoz),
            (List{kMoz + "Profiles\\default\\ab12cd34.slt", kMoz + "Profiles\\Work Mail\\ef56.SLT"}));
}

TEST(MozillaProfileScan, TheFolderIsMatchedInAnyLetterCaseAndSpelledAsGiven) {
  const std::string text = "c:\\DOCUMENTS AND SETTINGS\\user\\application data\\mozilla\\Profiles\\x\\p.slt";
  EXPECT_EQ(FindSltProfiles(text, kMoz), (List{kMoz + "Profiles\\x\\p.slt"}));
}

TEST(MozillaProfileScan, TheScanEndsWhereNoSltFollows) {
  EXPECT_EQ(FindSltProfiles(kMoz + "Profiles\\default" + bytes("\0", 1) + "tail", kMoz), List{});
  EXPECT_EQ(FindSltProfiles(kMoz + "Profiles\\a.slt " + kMoz + "Profiles\\b", kMoz), (List{kMoz + "Profiles\\a.slt"}));
  EXPECT_EQ(FindSltProfiles("x.slt", kMoz), List{});
  EXPECT_EQ(FindSltProfiles("", kMoz), List{});
  EXPECT_EQ(FindSltProfiles(kMoz + "a.slt", ""), List{});
}

TEST(MozillaProfileScan, ALaterMentionBeforeTheSltCountsFromThere) {
  // The first mention is a bare folder record; the profile's own record follows it.
  const std::string text = kMoz + "Profiles\\default" + bytes("\0\x03", 2) + kMoz + "Profiles\\default\\q.slt";
  EXPECT_EQ(FindSltProfiles(text, kMoz), (List{kMoz + "Profiles\\default\\q.slt"}));
}

TEST(MozillaProfileScan, AnSltInsideTheFolderNameItselfIsNotAnEnd) {
  const std::string moz = "D:\\data.slt\\Mozilla\\";
  EXPECT_EQ(FindSltProfiles(moz + "Profiles\\p.slt", moz), (List{moz + "Profiles\\p.slt"}));
}

TEST(MozillaProfileScan, NamesThatLeadOutsideTheFolderAreLeftOut) {
  for (const char* rest :
       {"..\\..\\Windows\\x.slt", "Profiles\\..\\..\\x.slt", "Profiles\\. .\\x.slt", "Profiles\\...\\x.slt",
        "D:\\x.slt", "Profiles\\D:\\x.slt", "\\\\server\\share\\x.slt", "\\Windows\\x.slt", "Profiles\\\\x.slt",
        "Profiles/../x.slt", "Profiles\\a\tb\\x.slt", "Profiles\\a*\\x.slt", "Profiles\\a.\\x.slt",
        "Profiles\\a \\x.slt"}) {
    EXPECT_EQ(FindSltProfiles(kMoz + rest, kMoz), List{}) << rest;
  }
  // A bad name leaves the good one after it.
  EXPECT_EQ(FindSltProfiles(kMoz + "..\\x.slt" + kMoz + "ok.slt", kMoz), (List{kMoz + "ok.slt"}));
}

TEST(MozillaProfileScan, NamesTooLongForCookiesTxtAndListsOverTheLimitGiveNothing) {
  // 259 characters is the longest path: the folder, "\\cookies.txt" and nothing more fit.
  const std::string fits = std::string(259 - 12 - kMoz.size() - 4, 'a') + ".slt";
  EXPECT_EQ(FindSltProfiles(kMoz + fits, kMoz), (List{kMoz + fits}));
  EXPECT_EQ(FindSltProfiles(kMoz + "a" + fits, kMoz), List{});
  const std::string atLimit = kMoz + "p.slt" + std::string(clean::kRegistryDatLimit - kMoz.size() - 5, '\0');
  EXPECT_EQ(FindSltProfiles(atLimit, kMoz).size(), 1u);
  EXPECT_EQ(FindSltProfiles(atLimit + "x", kMoz), List{});
}

TEST(MozillaProfileScan, ListsAtTheLimitMadeOfNearMatchesOrNamesAreScannedQuickly) {
  const auto start = std::chrono::steady_clock::now();
  // A long folder name that almost matches at every byte.
  const std::string moz = "C:\\" + std::string(200, 'a') + "\\";
  EXPECT_EQ(FindSltProfiles("C:\\" + std::string(clean::kRegistryDatLimit - 3, 'a'), moz), List{});
  // Nothing but mentions, then a single ".slt" at the end.
  std::string mentions;
  while (mentions.size() + kMoz.size() + 5 < clean::kRegistryDatLimit) mentions += kMoz;
  EXPECT_EQ(FindSltProfiles(mentions + "p.slt", kMoz), (List{kMoz + "p.slt"}));
  // Nothing but profiles.
  std::string names;
  size_t count = 0;
  for (; names.size() + 8 <= clean::kRegistryDatLimit; ++count) names += "C:\\a.slt";
  EXPECT_EQ(FindSltProfiles(names, "C:\\").size(), count);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(PlainPath, PlainNamesPassAndEverythingElseFails) {
  for (const char* ok : {"a", "Profiles\\default\\ab.slt", "My Profile\\x.y.slt", ".slt", "a..b", "\xe9t\xe9"})
    EXPECT_TRUE(clean::IsPlainRelativePath(ok)) << ok;
  for (const char* bad : {"", "\\", "a\\", "\\a", "a\\\\b", ".", "..", "a\\..", "C:x", "a/b", "a|b", "a?", "a<b",
                          "a\"b", "x.", "x ", "a\x01"})
    EXPECT_FALSE(clean::IsPlainRelativePath(bad)) << bad;
}

}  // namespace

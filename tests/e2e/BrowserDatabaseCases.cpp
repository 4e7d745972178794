// End-to-end cases on the real program: the history items of Firefox and Chrome, run on
// databases as the browsers write them, leave no byte of a visited page in the profile
// and keep what the user bookmarked. The files are read as bytes: text a clean only
// unlinked from its table would still be there.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrowserDatabaseFixtures.h"
#include "DriverSupport.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::shellFolder;

// The visited page's host: its URL, icon, host row, typed text and searches all hold it.
const char kVisited[] = "private-clinic";
const std::string kSqliteHeader("SQLite format 3\0", 16);

using e2e::filesHolding;
using e2e::makeFolders;

bool put(const std::string& path, const std::string& bytes) {
  makeFolders(path.substr(0, path.rfind('\\')));
  return e2e::writeFile(path, bytes);
}

// Ticks the one item, runs it to the end and checks that its line says it did its work.
void runOnly(const char* array, int index, const char* statusText) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  ASSERT_EQ(FindWindowA(nullptr, e2e::kCaption), nullptr) << "another Quellery is running";
  e2e::Program program;
  ASSERT_TRUE(program.start(exePath));
  if (!e2e::tickOnly(program, array, {index})) {
    program.terminate();
    return;
  }
  std::vector<std::string> lines;
  const bool ended = e2e::runToEnd(program, &lines);
  program.terminate();
  EXPECT_TRUE(ended) << "the run did not end within " << e2e::kRunDeadlineMs / 1000 << " s";
  e2e::expectLines("the list after the run", e2e::runLines({statusText}), lines);
}

}  // namespace

TEST(BrowserDatabases, FirefoxHistoryGoesAndBookmarksStay) {
  const std::string roaming = shellFolder(CSIDL_APPDATA);
  ASSERT_FALSE(roaming.empty());
  const std::string firefox = roaming + "\\Mozilla\\Firefox", profile = firefox + "\\Profiles\\d8b5e2q1.default";
  const std::string places = profile + "\\places.sqlite";
  ASSERT_TRUE(put(firefox + "\\profiles.ini",
                  "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
                  "Path=Profiles/d8b5e2q1.default\r\nDefault=1\r\n"));
  ASSERT_TRUE(put(places, e2e::firefox52Places()));
  ASSERT_NE(e2e::readFile(places).find("http://private-clinic.example/appointment"), std::string::npos);

  runOnly("chkFFsettings", 2, "Cleaning Firefox History...");

  const std::string after = e2e::readFile(places);
  EXPECT_EQ(after.compare(0, kSqliteHeader.size(), kSqliteHeader), 0) << "places.sqlite is no database now";
  for (const char* kept : {"http://news.example/", "News I read", "http://search.example/?q=%s"})
    EXPECT_TRUE(after.find(kept) != std::string::npos) << kept << " is gone from places.sqlite";
  for (const std::string& path : filesHolding(profile, kVisited))
    ADD_FAILURE() << kVisited << " can still be read in " << path;
}

TEST(BrowserDatabases, ChromeHistoryGoesAndBookmarksStay) {
  const std::string local = shellFolder(CSIDL_LOCAL_APPDATA);
  ASSERT_FALSE(local.empty());
  const std::string userData = local + "\\Google\\Chrome\\User Data", profile = userData + "\\Default";
  const std::string history = profile + "\\History", bookmarks = profile + "\\Bookmarks";
  const std::string bookmarksText =
      "{\"roots\":{\"bookmark_bar\":{\"children\":[{\"name\":\"News I read\",\"type\":\"url\","
      "\"url\":\"http://news.example/\"}],\"name\":\"Bookmarks bar\",\"type\":\"folder\"}},\"version\":1}";
  // Only Default: a profile another case left must not share this item's line.
  ASSERT_TRUE(
      put(userData + "\\Local State", "{\"profile\":{\"info_cache\":{\"Default\":{\"name\":\"First user\"}}}}"));
  ASSERT_TRUE(put(history, e2e::chrome49History()));
  ASSERT_TRUE(put(bookmarks, bookmarksText));
  ASSERT_NE(e2e::readFile(history).find("http://private-clinic.example/appointment"), std::string::npos);

  runOnly("chkCRsettings", 2, "Cleaning Chrome History...");

  const std::string after = e2e::readFile(history);
  EXPECT_EQ(after.compare(0, kSqliteHeader.size(), kSqliteHeader), 0) << "History is no database now";
  EXPECT_EQ(e2e::readFile(bookmarks), bookmarksText);
  for (const std::string& path : filesHolding(profile, kVisited))
    ADD_FAILURE() << kVisited << " can still be read in " << path;
}

// End-to-end cases on the real program: the items of Firefox, Chrome, Opera 9 to 12 and
// Safari, ticked alone and run from Start Cleaning, erase their files in every profile the
// browsers' own lists name and leave bookmarks, passwords and settings beside them.
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

using e2e::exists;
using e2e::Program;
using e2e::shellFolder;

using e2e::makeFolders;

bool put(const std::string& path, const std::string& text = "trace") {
  makeFolders(path.substr(0, path.rfind('\\')));
  return e2e::writeFile(path, text);
}

struct Seed {
  std::vector<std::string> gone, kept;
  std::vector<std::string> emptied;  // cache folders: what is in them goes, they stay
};

// Seeds, ticks the items of `array` given, runs them and checks the list and the files.
void runAndCheck(const Seed& seed, const char* array, const std::vector<int>& items,
                 const std::vector<std::string>& expectedLines) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  ASSERT_EQ(FindWindowA(nullptr, e2e::kCaption), nullptr) << "another Quellery is running";
  for (const std::string& path : seed.gone) ASSERT_TRUE(put(path)) << path;
  // What a case wrote with its own contents (a profile list) is kept as it is.
  for (const std::string& path : seed.kept)
    if (!exists(path)) {
      ASSERT_TRUE(put(path)) << path;
    }
  Program program;
  ASSERT_TRUE(program.start(exePath));
  if (!e2e::tickOnly(program, array, items)) {
    program.terminate();
    return;
  }
  std::vector<std::string> lines;
  const bool ended = e2e::runToEnd(program, &lines);
  program.terminate();
  EXPECT_TRUE(ended) << "the run did not end within " << e2e::kRunDeadlineMs / 1000 << " s";
  e2e::expectLines("the list after the run", expectedLines, lines);
  for (const std::string& path : seed.gone) EXPECT_FALSE(exists(path)) << path << " is still there";
  for (const std::string& path : seed.kept) EXPECT_TRUE(exists(path)) << path << " was erased";
  for (const std::string& folder : seed.emptied) EXPECT_TRUE(exists(folder)) << folder << " itself was removed";
}

}  // namespace

TEST(BrowserProfileItems, FirefoxItemsCleanEveryProfileOfTheList) {
  const std::string roaming = shellFolder(CSIDL_APPDATA), local = shellFolder(CSIDL_LOCAL_APPDATA);
  ASSERT_FALSE(roaming.empty());
  ASSERT_FALSE(local.empty());
  const std::string firefox = roaming + "\\Mozilla\\Firefox";
  const std::string old = firefox + "\\Profiles\\w2k0ld01.default", now = firefox + "\\Profiles\\n3w52abc.default";
  const std::string nowLocal = local + "\\Mozilla\\Firefox\\Profiles\\n3w52abc.default";
  ASSERT_TRUE(put(firefox + "\\profiles.ini",
                  "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=old\r\nIsRelative=1\r\n"
                  "Path=Profiles/w2k0ld01.default\r\n\r\n[Profile1]\r\nName=now\r\nIsRelative=1\r\n"
                  "Path=Profiles/n3w52abc.default\r\nDefault=1\r\n"));
  Seed seed;
  // Firefox 2's files, and Firefox 52's caches and session.
  for (const char* name : {"history.dat", "formhistory.dat", "cookies.txt", "downloads.rdf", "sessionstore.js",
                           "Cache\\_CACHE_001_", "Cache\\3\\A1\\B2C3D4"})
    seed.gone.push_back(old + "\\" + name);
  for (const char* name : {"cache2\\entries\\0A1B2C3D", "cache2\\index", "thumbnails\\x.png"})
    seed.gone.push_back(nowLocal + "\\" + name);
  for (const char* name : {"sessionstore.js", "sessionstore-backups\\recovery.js", "sessionstore-backups\\previous.js"})
    seed.gone.push_back(now + "\\" + name);
  for (const std::string& profile : {old, now})
    for (const char* name : {"bookmarks.html", "prefs.js", "key3.db", "signons.sqlite", "logins.json", "cert8.db",
                             "places.sqlite", "bookmarkbackups\\bookmarks-2017-01-01.jsonlz4", "extensions.json"})
      seed.kept.push_back(profile + "\\" + name);
  // The history items open places.sqlite as a database: text in its place is no Firefox's file.
  for (const std::string& profile : {old, now}) ASSERT_TRUE(put(profile + "\\places.sqlite", e2e::firefox52Places()));
  seed.kept.push_back(nowLocal + "\\startupCache\\startupCache.8.little");
  seed.emptied = {old + "\\Cache", nowLocal + "\\cache2", now + "\\sessionstore-backups"};
  runAndCheck(seed, "chkFFsettings", {0, 1, 2, 3, 4, 5},
              e2e::runLines({"Cleaning Firefox Cache...", "Cleaning Firefox Session...", "Cleaning Firefox History...",
               "Cleaning Firefox Form History...", "Cleaning Firefox Cookies...",
               "Cleaning Firefox Download History..."}));
}

TEST(BrowserProfileItems, ChromeItemsCleanDefaultAndTheProfilesLocalStateNames) {
  const std::string local = shellFolder(CSIDL_LOCAL_APPDATA);
  ASSERT_FALSE(local.empty());
  const std::string userData = local + "\\Google\\Chrome\\User Data";
  ASSERT_TRUE(put(userData + "\\Local State",
                  "{\"profile\":{\"info_cache\":{\"Default\":{\"name\":\"First user\"},\"Profile 1\":{\"name\":"
                  "\"Work\"}},\"last_used\":\"Profile 1\"}}"));
  Seed seed;
  for (const std::string& profile : {userData + "\\Default", userData + "\\Profile 1"}) {
    for (const char* name : {"Cache\\data_0", "Cache\\f_000001", "Media Cache\\index", "GPUCache\\data_1",
                             "Current Session", "Current Tabs", "Last Session", "Last Tabs", "Visited Links",
                             "Archived History", "History Index 2016-03", "Top Sites"})
      seed.gone.push_back(profile + "\\" + name);
    for (const char* name : {"History", "Cookies", "Web Data", "Bookmarks", "Bookmarks.bak", "Login Data",
                             "Preferences", "Extensions\\abc\\1.0\\manifest.json"})
      seed.kept.push_back(profile + "\\" + name);
    seed.emptied.push_back(profile + "\\Cache");
    ASSERT_TRUE(put(profile + "\\History", e2e::chrome49History()));  // opened as a database
  }
  seed.kept.push_back(userData + "\\Profile 2\\Current Session");
  seed.kept.push_back(userData + "\\Local State");
  runAndCheck(seed, "chkCRsettings", {0, 1, 2},
              e2e::runLines({"Cleaning Chrome Cache...", "Cleaning Chrome Session...", "Cleaning Chrome History..."}));
}

TEST(BrowserProfileItems, OperaTwelveItemsCleanItsProfileAndLocalCache) {
  const std::string roaming = shellFolder(CSIDL_APPDATA), local = shellFolder(CSIDL_LOCAL_APPDATA);
  ASSERT_FALSE(roaming.empty());
  ASSERT_FALSE(local.empty());
  const std::string opera = roaming + "\\Opera\\Opera", operaLocal = local + "\\Opera\\Opera";
  Seed seed;
  for (const char* name : {"typed_history.xml", "cookies4.dat", "global_history.dat", "vlink4.dat",
                           "sessions\\autosave.win", "sessions\\autosave.win.bak", "download.dat"})
    seed.gone.push_back(opera + "\\" + name);
  for (const char* name : {"cache\\g_0000\\opr00001.htm", "opcache\\opr00002.tmp"})
    seed.gone.push_back(operaLocal + "\\" + name);
  for (const char* name : {"operaprefs.ini", "bookmarks.adr", "wand.dat", "notes.adr", "speeddial.ini",
                           "sessions\\work.win"})
    seed.kept.push_back(opera + "\\" + name);
  seed.emptied = {operaLocal + "\\cache", operaLocal + "\\opcache"};
  std::vector<std::string> expected =
      e2e::runLines({"Cleaning Opera Typed URL...", "Cleaning Opera Cache...", "Cleaning Opera Cookies...",
                     "Cleaning Opera History...", "Cleaning Opera Session...", "Cleaning Opera Download History..."});
  // Opera's cache and cookie items close with a single blank.
  expected[3 * 1 + 2] = expected[3 * 2 + 2] = " ";
  runAndCheck(seed, "chkOPsettings", {0, 1, 2, 3, 4, 5}, expected);
}

TEST(BrowserProfileItems, SafariItemsCleanItsHistoryCacheCookiesAndFormValues) {
  const std::string roaming = shellFolder(CSIDL_APPDATA), local = shellFolder(CSIDL_LOCAL_APPDATA);
  ASSERT_FALSE(roaming.empty());
  ASSERT_FALSE(local.empty());
  const std::string safari = roaming + "\\Apple Computer\\Safari", safariLocal = local + "\\Apple Computer\\Safari";
  Seed seed;
  for (const char* name : {"History.plist", "LastSession.plist", "TopSites.plist", "Cookies\\Cookies.binarycookies",
                           "Cookies\\Cookies.plist", "Form Values"})
    seed.gone.push_back(safari + "\\" + name);
  for (const char* name : {"Cache.db", "Cache.db-journal"}) seed.gone.push_back(safariLocal + "\\" + name);
  for (const char* name : {"Bookmarks.plist", "WebpageIcons.db"}) seed.kept.push_back(safari + "\\" + name);
  seed.kept.push_back(roaming + "\\Apple Computer\\Preferences\\com.apple.Safari.plist");
  seed.kept.push_back(roaming + "\\Apple Computer\\Preferences\\keychain.plist");
  runAndCheck(seed, "chkSFsettings", {0, 1, 2, 3},
              e2e::runLines({"Cleaning Safari History...", "Cleaning Safari Cache...", "Cleaning Safari Cookies...",
                             "Cleaning Safari Form Data..."}));
}

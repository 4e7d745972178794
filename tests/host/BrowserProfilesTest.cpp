// The browser items on an XP machine holding the profiles of the browsers people ran there:
// Firefox 3.6 and 52, Chrome 49 with a second profile, Opera 12 and Safari 5. Each item
// removes what it names in every profile found, and nothing beside it; a profile list that
// points elsewhere reaches nothing there; a browser that is running is left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PlanHarness.h"
#include "program/CommandLineRun.h"

namespace {

using erase::Outcome;
using Names = std::vector<std::string>;

const std::string kUser = "C:\\Documents and Settings\\User";
const std::string kRoaming = kUser + "\\Application Data";
const std::string kLocal = kUser + "\\Local Settings\\Application Data";
const std::string kFirefox = kRoaming + "\\Mozilla\\Firefox";
const std::string kFx36 = kFirefox + "\\Profiles\\a1b2c3d4.default";
const std::string kFx36Local = kLocal + "\\Mozilla\\Firefox\\Profiles\\a1b2c3d4.default";
const std::string kFx52 = kFirefox + "\\Profiles\\e5f6g7h8.default-1400000000000";
const std::string kFx52Local = kLocal + "\\Mozilla\\Firefox\\Profiles\\e5f6g7h8.default-1400000000000";
const std::string kUserData = kLocal + "\\Google\\Chrome\\User Data";
const std::string kOpera = kRoaming + "\\Opera\\Opera";
const std::string kOperaLocal = kLocal + "\\Opera\\Opera";
const std::string kSafari = kRoaming + "\\Apple Computer\\Safari";
const std::string kSafariLocal = kLocal + "\\Apple Computer\\Safari";

class BrowserProfiles : public ::testing::Test, protected PlanCheck {
 protected:
  BrowserProfiles() { machine.shell.specialFolders[28] = kLocal; }

  void put(const std::string& path, size_t bytes = 10) {
    machine.files.makeFolders(path.substr(0, path.rfind('\\')));
    ASSERT_EQ(0, machine.files.writeFile(path, std::string(bytes, 'x'))) << path;
  }
  void canary(const std::string& path) {
    put(path, 4);
    canaries.push_back(path);
  }
  void expectCanariesKept() {
    for (const std::string& path : canaries)
      EXPECT_NE(machine.files.getAttributes(path), platform::fileattr::Invalid) << path << " was taken";
  }

  void tick(std::initializer_list<const char*> captions) {
    for (engine::CleaningGroup group : engine::kGroups)
      for (ui::CheckBox& box : app.frm.itemPage(group).items) box.setValue(0);
    for (const char* caption : captions) {
      bool found = false;
      for (const engine::CleaningItem& item : engine::catalogue())
        if (caption == std::string(item.caption)) {
          app.frm.tick(item).setValue(1);
          found = true;
        }
      ASSERT_TRUE(found) << caption;
    }
  }

  // Every target of the plan, sorted: the order of a walk is the listing's.
  static Names all(const erase::Plan& plan) {
    Names out;
    for (const erase::ItemPlan& item : plan.items) {
      const Names some = names(item);
      out.insert(out.end(), some.begin(), some.end());
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  static Names sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
  }

  void seedFirefox() {
    put(kFirefox + "\\profiles.ini",
        0);  // written below
    ASSERT_EQ(0, machine.files.writeFile(kFirefox + "\\profiles.ini",
                                         "[General]\r\nStartWithLastProfile=1\r\n\r\n"
                                         "[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
                                         "Path=Profiles/a1b2c3d4.default\r\nDefault=1\r\n\r\n"
                                         "[Profile1]\r\nName=new\r\nIsRelative=1\r\n"
                                         "Path=Profiles/e5f6g7h8.default-1400000000000\r\n"));
    // Firefox 3.6: the caches in the local half, the session in the profile.
    put(kFx36Local + "\\Cache\\_CACHE_MAP_", 11);
    put(kFx36Local + "\\Cache\\4\\A3\\B0C1D2", 12);
    put(kFx36Local + "\\OfflineCache\\index.sqlite", 13);
    put(kFx36 + "\\sessionstore.js", 14);
    put(kFx36 + "\\sessionstore.bak", 15);
    for (const char* kept : {"places.sqlite", "cookies.sqlite", "formhistory.sqlite", "bookmarks.html",
                             "bookmarkbackups\\bookmarks-2010-01-01.json", "key3.db", "signons.sqlite", "cert8.db",
                             "prefs.js", "extensions\\x@y\\install.rdf", "search.sqlite", "sessionstore.js.keep"})
      canary(kFx36 + "\\" + kept);
    canary(kFx36Local + "\\urlclassifier3.sqlite");
    // Firefox 52: cache2 and thumbnails, and the session's backups.
    put(kFx52Local + "\\cache2\\entries\\0A1B2C", 16);
    put(kFx52Local + "\\cache2\\index", 17);
    put(kFx52Local + "\\thumbnails\\a.png", 18);
    put(kFx52 + "\\sessionstore-backups\\recovery.js", 19);
    put(kFx52 + "\\sessionstore-backups\\previous.js", 20);
    for (const char* kept : {"places.sqlite", "logins.json", "key3.db", "search.json.mozlz4", "prefs.js",
                             "bookmarkbackups\\bookmarks-2017-01-01.jsonlz4", "sessionCheckpoints.json"})
      canary(kFx52 + "\\" + kept);
    canary(kFx52Local + "\\startupCache\\startupCache.8.little");
  }

  void seedChrome() {
    put(kUserData + "\\Local State", 0);
    ASSERT_EQ(0, machine.files.writeFile(kUserData + "\\Local State",
                                         "{\"profile\":{\"info_cache\":{\"Default\":{\"name\":\"First user\"},"
                                         "\"Profile 1\":{\"name\":\"Work\"}},\"last_used\":\"Default\"}}"));
    const std::string first = kUserData + "\\Default", second = kUserData + "\\Profile 1";
    for (const std::string& profile : {first, second}) {
      put(profile + "\\Cache\\data_0", 21);
      put(profile + "\\Current Session", 22);
      put(profile + "\\Visited Links", 23);
      // The databases' rows are the database items' own (BrowserDatabasesTest).
      for (const char* kept : {"Bookmarks", "Bookmarks.bak", "Login Data", "Preferences",
                               "Extensions\\abc\\1.0\\manifest.json"})
        canary(profile + "\\" + kept);
    }
    put(first + "\\Media Cache\\index", 24);
    put(first + "\\GPUCache\\data_1", 25);
    put(first + "\\Last Tabs", 26);
    put(first + "\\Archived History", 27);
    put(first + "\\History Index 2016-03", 28);
    put(first + "\\History Index 2016-03-journal", 29);
    put(first + "\\Top Sites", 30);
    put(kUserData + "\\ShaderCache\\GPUCache\\index", 31);
    canary(first + "\\History Indexer");  // no blank after "Index": not the index files
    canary(kUserData + "\\Profile 2\\Current Session");  // a folder Local State does not name
    canary(kUserData + "\\First Run");
  }

  void seedOpera() {
    put(kOpera + "\\typed_history.xml", 41);
    put(kOpera + "\\global_history.dat", 42);
    put(kOpera + "\\vlink4.dat", 43);
    put(kOpera + "\\cookies4.dat", 44);
    put(kOpera + "\\download.dat", 45);
    put(kOpera + "\\sessions\\autosave.win", 46);
    put(kOpera + "\\sessions\\autosave.win.bak", 47);
    put(kOperaLocal + "\\cache\\g_0000\\opr00001.htm", 48);
    put(kOperaLocal + "\\opcache\\opr00002.tmp", 49);
    for (const char* kept : {"operaprefs.ini", "bookmarks.adr", "wand.dat", "notes.adr", "speeddial.ini",
                             "sessions\\work.win"})
      canary(kOpera + "\\" + kept);
  }

  void seedSafari() {
    put(kSafari + "\\History.plist", 51);
    put(kSafari + "\\LastSession.plist", 52);
    put(kSafari + "\\Form Values", 53);
    put(kSafari + "\\Cookies\\Cookies.binarycookies", 54);
    put(kSafariLocal + "\\Cache.db", 55);
    put(kSafariLocal + "\\Cache.db-journal", 56);
    canary(kSafari + "\\Bookmarks.plist");
    canary(kSafari + "\\WebpageIcons.db");
    canary(kRoaming + "\\Apple Computer\\Preferences\\com.apple.Safari.plist");
    canary(kRoaming + "\\Apple Computer\\Preferences\\keychain.plist");
  }

  Names canaries;
};

TEST_F(BrowserProfiles, FirefoxCacheAndSessionGoFromBothProfilesOfAllVersions) {
  seedFirefox();
  tick({"Clean Firefox Cache", "Clean Firefox Session"});
  const erase::Plan plan = collect();
  EXPECT_EQ(all(plan), sorted({"File " + kFx36Local + "\\Cache\\_CACHE_MAP_",
                               "File " + kFx36Local + "\\Cache\\4\\A3\\B0C1D2", "Folder " + kFx36Local + "\\Cache\\4\\A3",
                               "Folder " + kFx36Local + "\\Cache\\4",
                               "File " + kFx36Local + "\\OfflineCache\\index.sqlite",
                               "File " + kFx52Local + "\\cache2\\entries\\0A1B2C", "Folder " + kFx52Local + "\\cache2\\entries",
                               "File " + kFx52Local + "\\cache2\\index", "File " + kFx52Local + "\\thumbnails\\a.png",
                               "File " + kFx36 + "\\sessionstore.js", "File " + kFx36 + "\\sessionstore.bak",
                               "File " + kFx52 + "\\sessionstore-backups\\recovery.js",
                               "File " + kFx52 + "\\sessionstore-backups\\previous.js"}));
  expectRunFollows(plan);
  expectCanariesKept();
  EXPECT_EQ(program::CleanExitCode(app.lastRun), 0);
}

TEST_F(BrowserProfiles, ChromeItemsReachDefaultAndTheProfilesLocalStateNamesOnly) {
  seedChrome();
  tick({"Clean Chrome Cache", "Clean Chrome Session", "Clean Chrome History"});
  const erase::Plan plan = collect();
  const std::string first = kUserData + "\\Default", second = kUserData + "\\Profile 1";
  EXPECT_EQ(all(plan), sorted({"File " + first + "\\Cache\\data_0", "File " + second + "\\Cache\\data_0",
                               "File " + first + "\\Media Cache\\index", "File " + first + "\\GPUCache\\data_1",
                               "File " + kUserData + "\\ShaderCache\\GPUCache\\index",
                               "Folder " + kUserData + "\\ShaderCache\\GPUCache", "File " + first + "\\Current Session",
                               "File " + second + "\\Current Session", "File " + first + "\\Last Tabs",
                               "File " + first + "\\Visited Links", "File " + second + "\\Visited Links",
                               "File " + first + "\\Archived History", "File " + first + "\\History Index 2016-03",
                               "File " + first + "\\History Index 2016-03-journal", "File " + first + "\\Top Sites"}));
  expectRunFollows(plan);
  expectCanariesKept();
}

TEST_F(BrowserProfiles, WithoutALocalStateChromeHasItsDefaultProfileOnly) {
  seedChrome();
  machine.files.writeFile(kUserData + "\\Local State", "{\"profile\":{\"info_cache\":{\"Profile 1\":");  // cut short
  tick({"Clean Chrome Session"});
  EXPECT_EQ(all(collect()),
            (Names{"File " + kUserData + "\\Default\\Current Session", "File " + kUserData + "\\Default\\Last Tabs"}));
}

TEST_F(BrowserProfiles, OperaTwelveAndSafariFiveLoseEachItemsFilesOnly) {
  seedOpera();
  seedSafari();
  tick({"Clean Typed Opera URL ", "Clean Opera Cache", "Clean Opera Cookies", "Clean Opera History",
        "Clean Opera Session", "Clean Opera Download History", "Clean Safari History", "Clean Safari Cache",
        "Clean Safari Cookies", "Clean Safari Form Data"});
  const erase::Plan plan = collect();
  ASSERT_EQ(plan.items.size(), 10u);
  const auto item = [&](size_t i) { return sorted(names(plan.items[i])); };
  EXPECT_EQ(item(0), Names{"File " + kOpera + "\\typed_history.xml"});
  EXPECT_EQ(item(1), sorted({"File " + kOperaLocal + "\\cache\\g_0000\\opr00001.htm",
                             "Folder " + kOperaLocal + "\\cache\\g_0000", "File " + kOperaLocal + "\\opcache\\opr00002.tmp"}));
  EXPECT_EQ(item(2), Names{"File " + kOpera + "\\cookies4.dat"});
  EXPECT_EQ(item(3), sorted({"File " + kOpera + "\\global_history.dat", "File " + kOpera + "\\vlink4.dat"}));
  EXPECT_EQ(item(4), sorted({"File " + kOpera + "\\sessions\\autosave.win", "File " + kOpera + "\\sessions\\autosave.win.bak"}));
  EXPECT_EQ(item(5), Names{"File " + kOpera + "\\download.dat"});
  EXPECT_EQ(item(6), sorted({"File " + kSafari + "\\History.plist", "File " + kSafari + "\\LastSession.plist"}));
  EXPECT_EQ(item(7), sorted({"File " + kSafariLocal + "\\Cache.db", "File " + kSafariLocal + "\\Cache.db-journal"}));
  EXPECT_EQ(item(8), Names{"File " + kSafari + "\\Cookies\\Cookies.binarycookies"});
  EXPECT_EQ(item(9), Names{"File " + kSafari + "\\Form Values"});
  expectRunFollows(plan);
  expectCanariesKept();
}

TEST_F(BrowserProfiles, AProfileListPointingElsewhereReachesNothingThere) {
  const std::string other = "C:\\Documents and Settings\\Other\\Application Data\\Mozilla\\Firefox\\Profiles\\o.default";
  const std::string mine = kUser + "\\My Firefox";
  machine.files.makeFolders(kFirefox + "\\Profiles");
  machine.files.makeFolders("C:\\Elsewhere");
  ASSERT_EQ(0, machine.files.makeLink(kFirefox + "\\Profiles\\link.default", machine.files.hostPath("C:\\Elsewhere")));
  ASSERT_EQ(0, machine.files.writeFile(kFirefox + "\\profiles.ini",
                                       "[Profile0]\nIsRelative=1\nPath=..\\..\\..\\Climbed\n"
                                       "[Profile1]\nIsRelative=1\nPath=../../../Climbed\n"
                                       "[Profile2]\nIsRelative=0\nPath=" + other + "\n"
                                       "[Profile3]\nIsRelative=1\nPath=Profiles/link.default\n"
                                       "[Profile4]\nIsRelative=0\nPath=" + kUser + "\\Favorites\n"
                                       "[Profile5]\nIsRelative=0\nPath=" + mine + "\n"));
  canary(kUser + "\\Climbed\\sessionstore.js");
  canary(other + "\\sessionstore.js");
  canary("C:\\Elsewhere\\sessionstore.js");
  canary(kUser + "\\Favorites\\sessionstore.js");
  put(mine + "\\sessionstore.js", 61);
  tick({"Clean Firefox Session"});
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned, Outcome::Planned), Names{"File " + mine + "\\sessionstore.js"});
  EXPECT_EQ(refusals(planned),
            (Names{"Folder " + other + "\\: named by the browser's profile list, outside your own profile",
                   "Folder " + kFirefox + "\\Profiles\\link.default\\: a link: what it names may lie anywhere",
                   "Folder " + kUser + "\\Favorites\\: named by the browser's profile list, one of your own folders "
                   "or holding one"}));
  expectRunFollows(planned);
  expectCanariesKept();
  EXPECT_EQ(program::CleanExitCode(app.lastRun), 1) << "a refused profile is no plain success";
}

TEST_F(BrowserProfiles, ARunningBrowserIsSkippedWholeAndTheRunSaysSo) {
  seedFirefox();
  seedChrome();
  seedOpera();
  seedSafari();
  put(kFx52 + "\\parent.lock", 0);
  put(kUserData + "\\lockfile", 0);
  // Held by the browsers; Opera shows its window.
  machine.files.lock(kFx52 + "\\parent.lock");
  machine.files.lock(kUserData + "\\lockfile");
  machine.files.lock(kSafariLocal + "\\Cache.db");
  machine.desktop.open("OperaWindowClass", "Speed Dial - Opera");
  tick({"Clean Firefox Session", "Clean Chrome Session", "Clean Opera Session", "Clean Safari History"});
  const erase::Plan plan = collect();
  ASSERT_EQ(plan.items.size(), 4u);
  const char* programs[] = {"Opera", "Firefox", "Chrome", "Safari"};
  for (size_t i = 0; i < 4; ++i)
    EXPECT_EQ(refusals(plan.items[i]),
              Names{std::string("Item ") + programs[i] + ": running: close it and clean again"});
  const platform::sim::MachineState before = platform::sim::captureMachine(machine);
  app::cmdClean_Click(app);
  EXPECT_EQ(platform::sim::machineDifferences(before, platform::sim::captureMachine(machine)), "");
  const Names shown = lines();
  for (const char* program : programs)
    EXPECT_NE(std::find(shown.begin(), shown.end(), std::string("Skipped: ") + program + " is running"), shown.end())
        << program;
  EXPECT_EQ(program::CleanExitCode(app.lastRun), 1);
}

TEST_F(BrowserProfiles, ALockLeftByABrowserThatCrashedStopsNothing) {
  seedFirefox();
  seedChrome();
  put(kFx36 + "\\parent.lock", 0);
  put(kUserData + "\\lockfile", 0);
  tick({"Clean Firefox Session", "Clean Chrome Session"});
  const erase::Plan plan = collect();
  EXPECT_EQ(all(plan).size(), 4u + 3u);
  expectRunFollows(plan);
  EXPECT_EQ(program::CleanExitCode(app.lastRun), 0);
}

TEST_F(BrowserProfiles, ChromesMessageWindowTellsItRunsWhereNoLockFileIsHeld) {
  seedChrome();
  machine.desktop.open("Chrome_MessageWindow", kUserData);
  tick({"Clean Chrome Cache"});
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned), Names{"Item Chrome"});
}

}  // namespace

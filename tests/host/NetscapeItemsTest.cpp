#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TestApp.h"
#include "engine/Catalogue.h"
#include "erase/ActivityLog.h"
#include "platform/sim/SimHttp.h"

namespace {

using Entry = std::pair<std::string, std::string>;
using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;

const std::string kUsersKey = "Software\\Netscape\\Netscape Navigator\\Users";
const std::string kNavigator = "Software\\Netscape\\Netscape Navigator";
const std::string kUserFolder = "C:\\Program Files\\Netscape\\Users\\default";
const std::string kProfiles = "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\Profiles";
const std::string kSlt = kProfiles + "\\default\\k2x8q7ab.slt";

// The catalogue's places of the six Netscape items.
enum Item { TypedUrl = 20, Cache, Mail, History, Cookies, AutoComplete };

class NetscapeItems : public ::testing::Test, protected TestApp {
 protected:
  NetscapeItems() {
    // Communicator's user folders, which the machine-wide registry names, as on 98, where
    // users are not kept apart; on the NT family see MachineWideFolders.
    machine.system.version.platformId = platform::osplatform::Windows9x;
    machine.platform().http = &http;  // a report would show as a request
    machine.registry.setString(CurrentUser, "Software\\Quellery", "WebServer", "127.0.0.1:8080");
    machine.registry.setString(CurrentUser, "Software\\Quellery", "ProbeSite", "127.0.0.1:8081");
    erase::setActivityObserver([this](const std::string& e, const std::string& t) {
      log.emplace_back(e, t);
      if (onLog) onLog(e);
    });
  }
  ~NetscapeItems() override { erase::setActivityObserver(nullptr); }

  void put(const std::string& path, uint32_t attributes = 0) {
    machine.files.makeFolders(path.substr(0, path.rfind('\\')));
    ASSERT_EQ(machine.files.writeFile(path, "data"), 0) << path;
    if (attributes) machine.files.setAttributes(path, attributes);
  }
  bool there(const std::string& path) { return machine.files.getAttributes(path) != platform::fileattr::Invalid; }
  void run(int item) { engine::executeItem(engine::catalogue().at(item), app.run(), engine::Mode::Clean); }
  // Communicator's user "default" named in both places, as its installer leaves it.
  void communicatorInBothSources(platform::HKey biffRoot) {
    machine.registry.setString(LocalMachine, kUsersKey, "CurrentUser", "default ");
    machine.registry.setString(LocalMachine, kUsersKey + "\\default", "DirRoot", kUserFolder);
    machine.registry.setString(biffRoot, kNavigator + "\\biff", "CurrentUser", " default");
    machine.registry.setString(biffRoot, kNavigator + "\\Main", "Install Directory",
                               "C:\\Program Files\\Netscape\\Communicator");
  }
  int erasedCount(const std::string& path) {
    int n = 0;
    for (const Entry& e : log) n += e.first == path + " Erased";
    return n;
  }

  platform::sim::SimHttp http;
  std::vector<Entry> log;
  std::function<void(const std::string&)> onLog;
};

TEST_F(NetscapeItems, WithoutNetscapeNoItemDeletesLogsOrReports) {
  put("C:\\Program Files\\Netscape\\Users\\default\\netscape.hst");
  put("C:\\cache\\page.htm");
  put("C:\\netscape.hst");
  for (int item = TypedUrl; item <= AutoComplete; ++item) run(item);
  EXPECT_TRUE(there("C:\\Program Files\\Netscape\\Users\\default\\netscape.hst"));
  EXPECT_TRUE(there("C:\\cache\\page.htm"));
  EXPECT_TRUE(there("C:\\netscape.hst"));
  EXPECT_TRUE(http.requests.empty());
  EXPECT_TRUE(log.empty()) << log.size() << " entries, the first " << log[0].first;
}

TEST_F(NetscapeItems, BothCommunicatorSourcesNameOneFolderAndEachFileGoesOnce) {
  communicatorInBothSources(LocalMachine);
  const std::vector<std::string> forms = {"FieldSchema.tbl", "SchemaConcat.tbl", "SchemaValue.tbl",
                                          "URLFieldSchema.tbl"};
  for (const std::string& name : forms) put(kUserFolder + "\\" + name);
  for (const char* canary : {"bookmarks.html", "prefs.js", "key3.db", "FieldSchema.tbl.bak"})
    put(kUserFolder + "\\" + canary);
  run(TypedUrl);
  for (const std::string& name : forms) {
    EXPECT_FALSE(there(kUserFolder + "\\" + name)) << name;
    EXPECT_EQ(erasedCount(kUserFolder + "\\" + name), 1) << name;
  }
  for (const char* canary : {"bookmarks.html", "prefs.js", "key3.db", "FieldSchema.tbl.bak"})
    EXPECT_TRUE(there(kUserFolder + "\\" + canary)) << canary;

  // The form item deletes the very same files.
  for (const std::string& name : forms) put(kUserFolder + "\\" + name);
  run(AutoComplete);
  for (const std::string& name : forms) EXPECT_FALSE(there(kUserFolder + "\\" + name)) << name;
  EXPECT_TRUE(http.requests.empty());
}

TEST_F(NetscapeItems, HistoryGoesFromBothSourcesAndTheProfilesThenIsLogged) {
  communicatorInBothSources(CurrentUser);
  put(kUserFolder + "\\netscape.hst");
  put(kUserFolder + "\\netscape");  // named by the install-folder source only
  put(kSlt + "\\history.dat");
  put(kSlt + "\\story.dat");  // a piece of the list text, no name in it
  put(kSlt + "\\bookmarks.html");
  put(kSlt + "\\prefs.js");
  run(History);
  for (const std::string& gone : {kUserFolder + "\\netscape.hst", kUserFolder + "\\netscape",
                                  kSlt + "\\history.dat"})
    EXPECT_FALSE(there(gone)) << gone;
  EXPECT_TRUE(there(kSlt + "\\story.dat"));
  EXPECT_TRUE(there(kSlt + "\\bookmarks.html"));
  EXPECT_TRUE(there(kSlt + "\\prefs.js"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().first, "Netscape History Cleared");
  EXPECT_NE(log.back().second.find(" @ "), std::string::npos);
}

TEST_F(NetscapeItems, AFailedProfileLookupSearchesBelowApplicationData) {
  machine.shell.specialFolders.erase(40);
  machine.shell.specialFolders[26] = "C:\\Roaming";
  put("C:\\Roaming\\Mozilla\\Profiles\\p\\x.slt\\history.dat");
  put(kSlt + "\\history.dat");  // below the profile folder, which is not known now
  run(History);
  EXPECT_FALSE(there("C:\\Roaming\\Mozilla\\Profiles\\p\\x.slt\\history.dat"));
  EXPECT_TRUE(there(kSlt + "\\history.dat"));

  // With neither folder known nothing is searched, least of all the drive's own Mozilla folder.
  machine.shell.specialFolders.erase(26);
  put("C:\\Mozilla\\Profiles\\p\\history.dat");
  put("C:\\Roaming\\Mozilla\\Profiles\\p\\x.slt\\history.dat");
  run(History);
  EXPECT_TRUE(there("C:\\Mozilla\\Profiles\\p\\history.dat"));
  EXPECT_TRUE(there("C:\\Roaming\\Mozilla\\Profiles\\p\\x.slt\\history.dat"));
}

TEST_F(NetscapeItems, MailTrashGoesInAnyCaseButNoPieceOfTheNameList) {
  communicatorInBothSources(LocalMachine);
  const std::string mail = kSlt + "\\Mail\\pop.example.com";
  const std::vector<std::string> gone = {kUserFolder + "\\mail\\trash", kUserFolder + "\\mail\\trash.nsm",
                                         mail + "\\Trash", mail + "\\TRASH.MSF"};
  const std::vector<std::string> kept = {kUserFolder + "\\mail\\Inbox", kUserFolder + "\\mail\\trash.msf",
                                         mail + "\\Inbox", mail + "\\Inbox.msf", mail + "\\Trash.bak",
                                         mail + "\\ash", kProfiles + "\\sh", kSlt + "\\prefs.js"};
  for (const auto& path : gone) put(path);
  for (const auto& path : kept) put(path);
  run(Mail);
  for (const auto& path : gone) EXPECT_FALSE(there(path)) << path;
  for (const auto& path : kept) EXPECT_TRUE(there(path)) << path;
}

// A Mozilla-suite or Netscape 6/7 profile keeps each mail folder as a file of the folder's
// name, with its summary beside it; the user's folder names may be pieces of any item's list.
TEST_F(NetscapeItems, MailFoldersNamedLikePiecesOfTheListsSurviveAllSixItems) {
  const std::string local = kSlt + "\\Mail\\Local Folders";
  std::vector<std::string> kept = {kSlt + "\\prefs.js", kSlt + "\\bookmarks.html", local + "\\Inbox"};
  for (const char* folder : {"History", "Net", "Story", "Ash", "Schema", "Fields", "URL", "Value"}) {
    kept.push_back(local + "\\" + folder);
    kept.push_back(local + "\\" + folder + ".msf");
  }
  const std::vector<std::string> gone = {kSlt + "\\history.dat", local + "\\Trash", local + "\\Trash.msf",
                                         kSlt + "\\Cache\\_CACHE_001_", kSlt + "\\Cache\\0A1B2C3Dd01"};
  for (const auto& path : kept) put(path);
  for (const auto& path : gone) put(path);
  for (int item = TypedUrl; item <= AutoComplete; ++item) run(item);
  for (const auto& path : kept) EXPECT_TRUE(there(path)) << path;
  for (const auto& path : gone) EXPECT_FALSE(there(path)) << path;
  EXPECT_TRUE(there(kSlt + "\\Cache")) << "the cache folder itself stays";
}

TEST_F(NetscapeItems, CacheFoldersAreEmptiedAndKept) {
  communicatorInBothSources(CurrentUser);
  const std::vector<std::string> caches = {kUserFolder + "\\cache", kSlt + "\\Cache",
                                           kSlt + "\\nested\\cache"};
  for (const auto& cache : caches) {
    put(cache + "\\M0AB12CD");
    put(cache + "\\sub\\deeper\\page.htm");
    put(cache + "\\hidden.db", platform::fileattr::Hidden);
  }
  put(kSlt + "\\cookies.txt");
  put("C:\\outside\\keep\\page.htm");
  machine.files.makeFolders(kProfiles + "\\linked");
  ASSERT_EQ(machine.files.makeLink(kProfiles + "\\linked\\cache",
                                   machine.files.hostPath("C:\\outside\\keep")), 0);
  run(Cache);
  for (const auto& cache : caches) {
    EXPECT_TRUE(there(cache)) << cache;
    EXPECT_FALSE(there(cache + "\\M0AB12CD")) << cache;
    EXPECT_FALSE(there(cache + "\\sub")) << cache;
    EXPECT_TRUE(there(cache + "\\hidden.db")) << cache;
  }
  EXPECT_TRUE(there(kSlt + "\\cookies.txt"));
  EXPECT_TRUE(there("C:\\outside\\keep\\page.htm")) << "a linked cache folder leads outside";
}

TEST_F(NetscapeItems, ACommunicatorCacheThatIsALinkIsLeftAlone) {
  communicatorInBothSources(CurrentUser);
  put("C:\\elsewhere\\precious.doc");
  machine.files.makeFolders(kUserFolder);
  ASSERT_EQ(machine.files.makeLink(kUserFolder + "\\cache", machine.files.hostPath("C:\\elsewhere")), 0);
  run(Cache);
  EXPECT_TRUE(there("C:\\elsewhere\\precious.doc"));
}

TEST_F(NetscapeItems, UserFoldersThatAreEmptyRelativeOrClimbOutAreLeftOut) {
  // Each would put the targets at the root of the current drive or beside Program Files.
  const std::vector<std::string> canaries = {"C:\\FieldSchema.tbl", "C:\\Netscape\\Users\\default\\FieldSchema.tbl",
                                             "C:\\Program Files\\Important\\FieldSchema.tbl"};
  for (const auto& path : canaries) put(path);
  machine.files.makeFolders("C:\\Program Files\\Netscape\\Users");
  machine.registry.setString(LocalMachine, kUsersKey, "CurrentUser", "default");
  machine.registry.setString(LocalMachine, kUsersKey + "\\default", "DirRoot", "");
  machine.registry.setString(LocalMachine, kNavigator + "\\biff", "CurrentUser", "default");
  for (const char* install : {"", "\\Netscape\\Communicator"}) {
    machine.registry.setString(LocalMachine, kNavigator + "\\Main", "Install Directory", install);
    run(TypedUrl);
  }
  machine.registry.setString(LocalMachine, kNavigator + "\\biff", "CurrentUser", "..\\..\\Important");
  machine.registry.setString(LocalMachine, kNavigator + "\\Main", "Install Directory",
                             "C:\\Program Files\\Netscape\\Communicator");
  run(TypedUrl);
  for (const auto& path : canaries) EXPECT_TRUE(there(path)) << path;
  EXPECT_TRUE(log.empty());
}

TEST_F(NetscapeItems, StopDuringHistoryLeavesTheRestAndLogsTheAbort) {
  communicatorInBothSources(CurrentUser);
  put(kUserFolder + "\\netscape.hst");
  put(kUserFolder + "\\netscape");
  put(kSlt + "\\history.dat");
  onLog = [this](const std::string& entry) {
    if (entry == kUserFolder + "\\netscape.hst Erased") app.frm.cleaning.cmdStopCleaning.click();
  };
  run(History);
  EXPECT_FALSE(there(kUserFolder + "\\netscape.hst"));
  EXPECT_TRUE(there(kUserFolder + "\\netscape"));
  EXPECT_TRUE(there(kSlt + "\\history.dat"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), Entry("Netscape History", "**Aboted**"));
}

// ---- cookies, through Mozilla's profile list -------------------------------------------

class NetscapeCookies : public NetscapeItems {
 protected:
  const std::string appData = "C:\\Documents and Settings\\User\\Application Data";
  const std::string mozilla = appData + "\\Mozilla\\";
  NetscapeCookies() {
    machine.registry.setString(CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                               "AppData", appData);
  }
  void profile(const std::string& folder, bool withCache) {
    put(folder + "\\cookies.txt");
    put(folder + "\\prefs.js");
    if (withCache) put(folder + "\\Cache\\_CACHE_MAP_");
  }
  void registryDat(const std::string& text) { ASSERT_EQ(machine.files.writeFile(mozilla + "registry.dat", text), 0); }
};

TEST_F(NetscapeCookies, EachListedProfileWithACacheLosesItsCookies) {
  const std::string a = mozilla + "Profiles\\default\\k2x8q7ab.slt", b = mozilla + "Profiles\\work\\zz01yy02.SLT",
                    c = mozilla + "Profiles\\old\\aa11bb22.slt";
  profile(a, true);
  profile(b, true);
  profile(c, false);
  // Binary records around the names, and the folder spelled in another case once.
  registryDat(std::string("\x76\x44\x00\x01name\0", 10) + mozilla + "Profiles\\default\\k2x8q7ab.slt" +
              std::string("\0\x02\xff", 3) + "c:\\documents and settings\\user\\application data\\mozilla\\" +
              "Profiles\\work\\zz01yy02.SLT" + std::string("\0", 1) + mozilla + "Profiles\\old\\aa11bb22.slt");
  run(Cookies);
  EXPECT_FALSE(there(a + "\\cookies.txt"));
  EXPECT_FALSE(there(b + "\\cookies.txt"));
  EXPECT_TRUE(there(c + "\\cookies.txt")) << "a profile without a cache keeps its cookies";
  for (const auto& p : {a, b, c}) EXPECT_TRUE(there(p + "\\prefs.js")) << p;
  EXPECT_TRUE(log.empty()) << "the deletion is a plain one";
  EXPECT_TRUE(http.requests.empty());
}

TEST_F(NetscapeCookies, AMentionWithoutSltAfterItEndsTheScan) {
  const std::string a = mozilla + "Profiles\\default\\k2x8q7ab";
  profile(a, true);
  registryDat(mozilla + "Profiles\\default\\k2x8q7ab" + std::string("\0", 1) + "trailing bytes");
  run(Cookies);
  EXPECT_TRUE(there(a + "\\cookies.txt"));
}

TEST_F(NetscapeCookies, ProfilesReachedThroughALinkStay) {
  profile("C:\\outside\\p.slt", true);
  machine.files.makeFolders(mozilla + "Profiles");
  ASSERT_EQ(machine.files.makeLink(mozilla + "Profiles\\linked", machine.files.hostPath("C:\\outside")), 0);
  registryDat(mozilla + "Profiles\\linked\\p.slt");
  run(Cookies);
  EXPECT_TRUE(there("C:\\outside\\p.slt\\cookies.txt"));
}

TEST_F(NetscapeCookies, AnEmptyAppDataPathReadsNoListAtTheDriveRoot) {
  machine.registry.setString(CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                             "AppData", "");
  profile("C:\\Mozilla\\p.slt", true);
  ASSERT_EQ(machine.files.writeFile("C:\\Mozilla\\registry.dat", "\\Mozilla\\p.slt"), 0);
  run(Cookies);
  EXPECT_TRUE(there("C:\\Mozilla\\p.slt\\cookies.txt"));
}

TEST_F(NetscapeCookies, AListOverTheSizeLimitIsNotScanned) {
  const std::string a = mozilla + "Profiles\\default\\k2x8q7ab.slt";
  profile(a, true);
  registryDat(mozilla + "Profiles\\default\\k2x8q7ab.slt" + std::string(1024 * 1024, '\0'));
  run(Cookies);
  EXPECT_TRUE(there(a + "\\cookies.txt"));
}

}  // namespace

// On the NT family the folder the machine-wide registry names may be another user's, and
// the names above a user's own folder may be links they made.
class MachineWideFolders : public NetscapeItems {
 protected:
  MachineWideFolders() { machine.system.version.platformId = platform::osplatform::WindowsNT; }
  void communicatorUserFolder(const std::string& folder) {
    machine.registry.setString(LocalMachine, kUsersKey, "CurrentUser", "me");
    machine.registry.setString(LocalMachine, kUsersKey + "\\me", "DirRoot", folder);
  }
};

TEST_F(MachineWideFolders, AnotherUsersFolderIsRefusedAndTheCurrentUsersOwnIsCleaned) {
  const std::string other = "C:\\Documents and Settings\\Other\\Netscape";
  const std::string own = "C:\\Documents and Settings\\User\\Netscape";
  for (const std::string& folder : {other, own, kUserFolder}) put(folder + "\\netscape.hst");
  for (const std::string& folder : {other, kUserFolder}) {
    communicatorUserFolder(folder);
    app.flags.leftBehind = {};
    run(History);
    EXPECT_TRUE(there(folder + "\\netscape.hst")) << folder;
    EXPECT_EQ("Done, but left 1: 1 folder of every user", app.flags.leftBehind.closingLine()) << folder;
  }
  communicatorUserFolder(own);
  run(History);
  EXPECT_FALSE(there(own + "\\netscape.hst"));
}

TEST_F(MachineWideFolders, AJunctionAboveTheUsersOwnFolderLeadsNowhere) {
  put("C:\\Victim\\Users\\me\\netscape.hst");
  put("C:\\Victim\\Users\\me\\cache\\photo.jpg");
  machine.files.makeFolders("C:\\Documents and Settings\\User");
  ASSERT_EQ(0, machine.files.makeLink("C:\\Documents and Settings\\User\\Netscape", machine.files.hostPath("C:\\Victim")));
  communicatorUserFolder("C:\\Documents and Settings\\User\\Netscape\\Users\\me");
  run(History);
  run(Cache);
  EXPECT_TRUE(there("C:\\Victim\\Users\\me\\netscape.hst"));
  EXPECT_TRUE(there("C:\\Victim\\Users\\me\\cache\\photo.jpg"));
}

// Windows deletes a marked file by its path at the next start: in a folder the machine-wide
// registry named, the names above it could be links by then.
TEST_F(MachineWideFolders, AFileInUseThereIsNeverMarkedForTheRestart) {
  const std::string own = "C:\\Documents and Settings\\User\\Netscape";
  put(own + "\\netscape.hst");
  machine.files.lock(own + "\\netscape.hst");
  communicatorUserFolder(own);
  run(History);
  EXPECT_TRUE(machine.files.restartMarks.empty());
  EXPECT_TRUE(there(own + "\\netscape.hst"));
}

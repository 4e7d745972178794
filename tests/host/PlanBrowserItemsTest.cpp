// The Internet Explorer, Netscape and Opera items on a seeded machine: the preview lists exactly
// what the run then removes, with the sizes the machine holds, and collecting changes nothing.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "PlanHarness.h"
#include "cookies/CookieKeeper.h"
#include "engine/PlanReport.h"
#include "platform/WinError.h"

namespace {

using erase::Outcome;
using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;
using Names = std::vector<std::string>;

const std::string kUser = "C:\\Documents and Settings\\User";
const std::string kCookies = kUser + "\\Cookies";
const std::string kHistory = kUser + "\\Local Settings\\History";
const std::string kContent = kUser + "\\Local Settings\\Temporary Internet Files\\Content.IE5";
const std::string kAppData = kUser + "\\Application Data";
const std::string kMozilla = kAppData + "\\Mozilla\\";
const std::string kOperaProfile = kAppData + "\\Opera\\OPERA7\\profile";
const std::string kOperaInstall = "C:\\Program Files\\Opera";
const std::string kIE = "Software\\Microsoft\\Internet Explorer";
const std::string kHKCU = "HKEY_CURRENT_USER\\";
const std::string kAutoComplete = "Software\\Microsoft\\Explorer\\AutoComplete";

// Catalogue places.
enum Item {
  IETyped = 10, IEForms, IECache, IEPasswords, IEHistory, IEErrorLog, IEIndex, IEMail, IECookies, IEDisable,
  NSTyped, NSCache, NSMail, NSHistory, NSCookies, NSForms, OperaTyped, OperaCache, OperaCookies
};

class BrowserPlans : public ::testing::Test, protected PlanCheck {
 protected:
  // Communicator's and the old Opera's folders, which the machine-wide registry names, as
  // on 98, where users are not kept apart.
  BrowserPlans() { machine.system.version.platformId = platform::osplatform::Windows9x; }
  void put(const std::string& path, const std::string& data = "data", uint32_t attributes = 0) {
    machine.files.makeFolders(path.substr(0, path.rfind('\\')));
    ASSERT_EQ(0, machine.files.writeFile(path, data)) << path;
    if (attributes) machine.files.setAttributes(path, attributes);
  }
  std::string read(const std::string& path) {
    std::string data;
    return machine.files.readFile(path, &data) == 0 ? data : "<missing>";
  }
  // "where bytes" of each target.
  static Names sizes(const erase::ItemPlan& item) {
    Names out;
    for (const erase::Target& t : item.targets) out.push_back(t.where + " " + std::to_string(t.bytes));
    return out;
  }
  // The run's one target came to `outcome` for `reason`.
  void expectRunEnded(Outcome outcome, const std::string& reason) {
    ASSERT_EQ(app.lastRun.items.size(), 1u);
    ASSERT_EQ(app.lastRun.items[0].targets.size(), 1u);
    EXPECT_EQ(app.lastRun.items[0].targets[0].outcome, outcome);
    EXPECT_EQ(app.lastRun.items[0].targets[0].reason, reason);
  }
  erase::ItemPlan collectOnly(int position) {
    tickOnly(position);
    return collectChangingNothing();
  }
  // A Communicator user folder the registry names, and a Mozilla profile below the user's.
  const std::string kCommunicator = "C:\\Program Files\\Netscape\\Users\\default";
  const std::string kProfile = kMozilla + "Profiles\\default\\k3x9q2.slt";
  void netscape() {
    machine.registry.setString(LocalMachine, "Software\\Netscape\\Netscape Navigator\\Users", "CurrentUser", "default");
    machine.registry.setString(LocalMachine, "Software\\Netscape\\Netscape Navigator\\Users\\default", "DirRoot",
                               kCommunicator);
  }
};

TEST_F(BrowserPlans, RegistryListsAndThePasswordKeyArePlannedValueByValue) {
  machine.registry.setString(CurrentUser, kIE + "\\TypedURLs", "url1", "http://news.example/");
  machine.registry.setString(CurrentUser, kIE + "\\TypedURLs", "url2", "http://shop.example/");
  erase::ItemPlan planned = collectOnly(IETyped);
  EXPECT_EQ(names(planned), (Names{"Registry value " + kHKCU + kIE + "\\TypedURLs\\url1",
                                   "Registry value " + kHKCU + kIE + "\\TypedURLs\\url2",
                                   "Registry key " + kHKCU + kIE + "\\TypedURLs"}));
  expectRunFollows(planned);

  const std::string errors = "Software\\Microsoft\\Search Assistant\\ACMru\\5604";
  machine.registry.setString(CurrentUser, errors, "000", "http://gone.example/");
  planned = collectOnly(IEErrorLog);
  EXPECT_EQ(names(planned), (Names{"Registry value " + kHKCU + errors + "\\000", "Registry key " + kHKCU + errors}));
  expectRunFollows(planned);

  machine.registry.setString(CurrentUser, kIE + "\\IntelliForms\\SPW", "site", "secret");
  planned = collectOnly(IEPasswords);
  EXPECT_EQ(names(planned), Names{"Registry key " + kHKCU + kIE + "\\IntelliForms"});
  expectRunFollows(planned);
}

TEST_F(BrowserPlans, CacheFoldersAndEntriesAreRemovedAndCookieEntriesStay) {
  put(kContent + "\\AB12CD34\\index[1].htm", std::string(2048, 'h'));
  put(kContent + "\\index.dat", "INDEX");
  machine.urlCache.add("http://news.example/", kContent + "\\AB12CD34\\index[1].htm", platform::cacheentry::Normal,
                       2048);
  machine.urlCache.addCookie("user@news.example", kCookies, 90);
  const erase::ItemPlan planned = collectOnly(IECache);
  EXPECT_EQ(names(planned), (Names{"File " + kContent + "\\AB12CD34\\index[1].htm", "Folder " + kContent + "\\AB12CD34",
                                   "Cache entry http://news.example/"}));
  EXPECT_EQ(sizes(planned)[2], "http://news.example/ 2048");
  expectRunFollows(planned);
  EXPECT_EQ(machine.urlCache.urls(), Names{"Cookie:user@news.example/"});
  EXPECT_EQ(read(kContent + "\\index.dat"), "INDEX");
}

TEST_F(BrowserPlans, HistoryEntriesAndIndexFilesWithTheirSizes) {
  machine.urlHistory.add("http://news.example/", "News");
  machine.urlHistory.add("http://shop.example/basket", "");
  erase::ItemPlan planned = collectOnly(IEHistory);
  EXPECT_EQ(names(planned), (Names{"History entry http://news.example/", "History entry http://shop.example/basket"}));
  expectRunFollows(planned);
  EXPECT_TRUE(machine.urlHistory.urls().empty());

  put(kCookies + "\\index.dat", "Client UrlCache MMF Ver 5.2 cookies");
  put(kHistory + "\\index.dat", std::string(70000, 'h'));
  planned = collectOnly(IEIndex);
  EXPECT_EQ(sizes(planned), (Names{kCookies + "\\index.dat 35", kHistory + "\\index.dat 70000"}));
  expectRunFollows(planned);
  EXPECT_EQ(read(kCookies + "\\index.dat"), std::string(35, ' '));
  EXPECT_EQ(read(kHistory + "\\index.dat"), std::string(70000, ' '));
}

TEST_F(BrowserPlans, ALockedIndexFileIsPlannedThenGoesAtTheNextRestartOrIsReportedFailed) {
  put(kHistory + "\\index.dat", "HISTORY");
  machine.files.lock(kHistory + "\\index.dat");
  EXPECT_EQ(sizes(collectOnly(IEIndex)), Names{kHistory + "\\index.dat 7"});
  run();
  expectRunEnded(Outcome::AtRestart, "");
  EXPECT_EQ(machine.files.restartMarks, Names{kHistory + "\\index.dat"});
  // A user who may not mark it for the restart: the run says it failed.
  machine.files.restartMarks.clear();
  machine.files.restartMarkError = platform::winerr::AccessDenied;
  run();
  expectRunEnded(Outcome::Failed, "Permission denied");
  machine.files.unlock(kHistory + "\\index.dat");
  EXPECT_EQ(read(kHistory + "\\index.dat"), "HISTORY");
}

TEST_F(BrowserPlans, MailDeletedItemsAndTheAutoCompleteSwitches) {
  const std::string store = kUser + "\\Local Settings\\Application Data\\Identities\\{ID}\\Outlook Express";
  machine.registry.setString(CurrentUser, "Identities", "Default User ID", "{ID}");
  machine.registry.setString(CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root",
                             store);
  put(store + "\\Deleted Items.dbx", std::string(5000, 'd'));
  put(store + "\\Inbox.dbx", "mail");
  erase::ItemPlan planned = collectOnly(IEMail);
  EXPECT_EQ(sizes(planned), Names{store + "\\Deleted Items.dbx 5000"});
  expectRunFollows(planned);
  EXPECT_EQ(read(store + "\\Inbox.dbx"), "mail");
  // A store folder that is not absolute names no file: the current folder or drive would be taken.
  put("C:\\Outlook Express\\Deleted Items.dbx", "someone else's");
  for (const char* relative : {"Outlook Express", "\\Outlook Express", "C:Outlook Express"}) {
    machine.registry.setString(CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0",
                               "Store Root", relative);
    EXPECT_TRUE(collectOnly(IEMail).targets.empty()) << relative;
    run();
    EXPECT_EQ(read("C:\\Outlook Express\\Deleted Items.dbx"), "someone else's") << relative;
  }

  machine.registry.setString(CurrentUser, kIE + "\\IntelliForms\\SPW", "site", "secret");
  machine.registry.setString(CurrentUser, kIE + "\\Main", "Use FormSuggest", "yes");
  planned = collectOnly(IEDisable);
  EXPECT_EQ(names(planned), (Names{"Registry key " + kHKCU + kIE + "\\IntelliForms\\SPW",
                                   "Setting " + kHKCU + kIE + "\\Main\\Use FormSuggest",
                                   "Setting " + kHKCU + kAutoComplete + "\\Use AutoComplete"}));
  expectRunFollows(planned);
  EXPECT_EQ(machine.registry.getString(CurrentUser, kIE + "\\Main", "Use FormSuggest"), "no");
  EXPECT_TRUE(collectOnly(IEDisable).targets.empty());  // off already: nothing left to change
}

// The companion's work shows on the machine only as the program it started.
// An item that fails halfway is no success in the report nor in its line, whatever it
// recorded before.
TEST_F(BrowserPlans, AnItemThatFailsHalfwayIsReportedFailedByName) {
  const std::string store = "C:\\Mail";
  machine.registry.setString(CurrentUser, "Identities", "Default User ID", "{ID}");
  machine.registry.setString(CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root",
                             store);
  put(store + "\\Deleted Items.dbx", "mail");
  machine.files.lock(store + "\\Deleted Items.dbx");
  machine.files.restartMarkError = platform::winerr::AccessDenied;  // nor can it go at the restart
  tickOnly(IEMail);
  run();
  ASSERT_EQ(app.lastRun.items.size(), 1u);
  bool itemFailed = false;
  for (const erase::Target& target : app.lastRun.items[0].targets)
    itemFailed |= target.kind == erase::TargetKind::Item && target.outcome == Outcome::Failed &&
                  target.where == "Clean Outlook Express Deleted Items" && target.reason == "Permission denied";
  EXPECT_TRUE(itemFailed) << engine::ReportText(app.lastRun);
  EXPECT_EQ(lines(), (Names{"Cleaning  Outlook Express Deleted Items...", "Failed: Permission denied",
                            std::string(43, ' ')}));
}

TEST_F(BrowserPlans, TheCompanionIsStartedByTheRunAlone) {
  const erase::ItemPlan planned = collectOnly(IEForms);
  EXPECT_EQ(names(planned), Names{"Setting AutoComplete form entries (emptied by iea.exe)"});
  EXPECT_TRUE(machine.launcher.requests.empty());
  run();
  ASSERT_EQ(app.lastRun.items.size(), 1u);
  EXPECT_EQ(names(app.lastRun.items[0], Outcome::Removed), names(planned));
  ASSERT_EQ(machine.launcher.requests.size(), 1u);
  EXPECT_EQ(machine.launcher.requests[0].file, "C:\\Program Files\\Quellery\\iea.exe");

  machine.launcher.succeed = false;
  run();
  expectRunEnded(Outcome::Failed, "iea.exe could not be started");
}

// Cookies are cache entries to the machine and cookies to the plan, so the run is compared here.
TEST_F(BrowserPlans, CookiesKeptByTheKeepListOrTheViewerAreNoTargets) {
  machine.urlCache.addCookie("user@news.example", kCookies, 120);
  machine.urlCache.addCookie("user@bank.example", kCookies, 80);
  machine.urlCache.addCookie("user@shop.example", kCookies, 300);
  put("C:\\Program Files\\Quellery\\cookies.inf", "Cookie:user@bank.example/\r\n\r\n");
  const erase::ItemPlan planned = collectOnly(IECookies);
  EXPECT_EQ(names(planned), (Names{"Cookie Cookie:user@news.example/", "Cookie Cookie:user@shop.example/"}));
  EXPECT_EQ(planned.bytes(Outcome::Planned), 420u);
  run();
  ASSERT_EQ(app.lastRun.items.size(), 1u);
  EXPECT_EQ(names(app.lastRun.items[0], Outcome::Removed), names(planned));
  EXPECT_EQ(app.lastRun.items[0].bytes(Outcome::Removed), 420u);
  EXPECT_EQ(machine.urlCache.urls(), Names{"Cookie:user@bank.example/"});

  // Read into the viewer and marked there: the marks count, saved or not.
  machine.urlCache.addCookie("user@mail.example", kCookies, 50);
  cookies::cmdGetCache_Click(app.run(), app.frm.cookies);
  ASSERT_EQ(app.frm.cookies.lstCookies.listCount(), 2);
  app.frm.cookies.lstCookies.setSelected(0, false);  // the bank's, unmarked
  app.frm.cookies.lstCookies.setSelected(1, true);   // the mail's
  EXPECT_EQ(names(collectOnly(IECookies)), Names{"Cookie Cookie:user@bank.example/"});
  run();
  EXPECT_EQ(machine.urlCache.urls(), Names{"Cookie:user@mail.example/"});
}

TEST_F(BrowserPlans, NetscapeFilesAndCacheFolders) {
  netscape();
  // The profile search names what it finds by short names: these fit 8.3 as they are. Without
  // a profile folder the search starts from the application data.
  machine.shell.specialFolders.erase(40);
  machine.shell.specialFolders[26] = "C:\\APPDATA";
  const std::string profile = "C:\\APPDATA\\Mozilla\\Profiles\\default\\k3x9q2.slt";
  put(kCommunicator + "\\FieldSchema.tbl", std::string(10, 'f'));
  put(profile + "\\URLFieldSchema.tbl", std::string(11, 'u'));
  for (int item : {NSTyped, NSForms})
    EXPECT_EQ(sizes(collectOnly(item)), (Names{kCommunicator + "\\FieldSchema.tbl 10", profile + "\\URLFIE~1.TBL 11"}));
  run();
  EXPECT_EQ(names(app.lastRun.items[0], Outcome::Removed),
            (Names{"File " + kCommunicator + "\\FieldSchema.tbl", "File " + profile + "\\URLFIE~1.TBL"}));
  EXPECT_EQ(read(profile + "\\URLFieldSchema.tbl"), "<missing>");

  put(kCommunicator + "\\cache\\M0001.htm", "page");
  put(profile + "\\Cache\\cache1.dat", "blocks");
  erase::ItemPlan planned = collectOnly(NSCache);
  EXPECT_EQ(names(planned),
            (Names{"File " + kCommunicator + "\\cache\\M0001.htm", "File " + profile + "\\Cache\\cache1.dat"}));
  expectRunFollows(planned);

  put(kCommunicator + "\\mail\\trash", "deleted mail");
  put(profile + "\\Mail\\Local\\Trash.msf", "summary");
  planned = collectOnly(NSMail);
  EXPECT_EQ(names(planned),
            (Names{"File " + kCommunicator + "\\mail\\trash", "File " + profile + "\\Mail\\Local\\Trash.msf"}));
  expectRunFollows(planned);

  put(kCommunicator + "\\netscape.hst", "visited");
  put(profile + "\\history.dat", std::string(300, 'h'));
  planned = collectOnly(NSHistory);
  EXPECT_EQ(sizes(planned), (Names{kCommunicator + "\\netscape.hst 7", profile + "\\history.dat 300"}));
  expectRunFollows(planned);
}

TEST_F(BrowserPlans, MozillaCookiesOfEachListedProfile) {
  netscape();
  machine.registry.setString(CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                             "AppData", kAppData);
  machine.files.makeFolders(kProfile);
  // The profile named twice, once in other letter case: still one target.
  std::string lower = kProfile;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  put(kMozilla + "registry.dat",
      std::string("\x01\x02") + kProfile + std::string(1, '\0') + "\x03" + lower + std::string(1, '\0'));
  put(kProfile + "\\cache\\a.tmp", "c");
  put(kProfile + "\\cookies.txt", std::string(64, 'c'));
  const erase::ItemPlan planned = collectOnly(NSCookies);
  EXPECT_EQ(sizes(planned), Names{kProfile + "\\cookies.txt 64"});
  expectRunFollows(planned);
}

TEST_F(BrowserPlans, OperaFilesOfBothGenerations) {
  machine.registry.setString(LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe", "Path",
                             kOperaInstall);
  put(kOperaProfile + "\\global.dat", std::string(700, 'g'));
  put(kOperaProfile + "\\opera.dir", std::string(30, 'o'));
  put(kOperaProfile + "\\opera6.ini", "settings");
  erase::ItemPlan planned = collectOnly(OperaTyped);
  EXPECT_EQ(sizes(planned), (Names{kOperaProfile + "\\global.dat 700", kOperaProfile + "\\opera.dir 30"}));
  expectRunFollows(planned);

  put(kOperaInstall + "\\Cache\\opr001.tmp", "c1");
  put(kOperaInstall + "\\Cache\\sub\\inner.tmp", "stays");
  put(kOperaProfile + "\\cache4\\opr002.tmp", "c2");
  planned = collectOnly(OperaCache);
  EXPECT_EQ(names(planned), (Names{"File " + kOperaInstall + "\\Cache\\opr001.tmp",
                                   "File " + kOperaProfile + "\\cache4\\opr002.tmp"}));
  expectRunFollows(planned);

  put(kOperaInstall + "\\cookies.dat", std::string(40, 'k'));
  put(kOperaProfile + "\\cookies4.dat", std::string(41, 'k'));
  planned = collectOnly(OperaCookies);
  EXPECT_EQ(sizes(planned), (Names{kOperaInstall + "\\cookies.dat 40", kOperaProfile + "\\cookies4.dat 41"}));
  expectRunFollows(planned);
}

TEST_F(BrowserPlans, ALinkIsRefusedByThePreviewAndTheRunAlike) {
  put("C:\\Precious\\cookies4.dat", "mine");
  machine.files.makeFolders(kOperaProfile);
  ASSERT_EQ(0, machine.files.makeLink(kOperaProfile + "\\cookies4.dat",
                                      machine.files.hostPath("C:\\Precious\\cookies4.dat")));
  const erase::ItemPlan planned = collectOnly(OperaCookies);
  EXPECT_EQ(refusals(planned), Names{"File " + kOperaProfile + "\\cookies4.dat: link"});
  expectRunFollows(planned);
  EXPECT_EQ(read("C:\\Precious\\cookies4.dat"), "mine");
}

// A store that keeps its entries through the clear is no success.
TEST_F(BrowserPlans, HistoryEntriesTheStoreKeepsAreReportedFailed) {
  machine.urlHistory.add("http://news.example/", "News");
  machine.urlHistory.clearResult = platform::hresult::Fail;
  EXPECT_EQ(names(collectOnly(IEHistory)), Names{"History entry http://news.example/"});
  run();
  expectRunEnded(Outcome::Failed, "still in the history");
}

TEST_F(BrowserPlans, NetscapeTargetsThatAreLinksAreRefusedByThePreviewAndTheRunAlike) {
  netscape();
  put("C:\\Precious\\diary.txt", "mine");
  machine.files.makeFolders(kCommunicator);
  ASSERT_EQ(0, machine.files.makeLink(kCommunicator + "\\netscape.hst",
                                      machine.files.hostPath("C:\\Precious\\diary.txt")));
  erase::ItemPlan planned = collectOnly(NSHistory);
  EXPECT_EQ(refusals(planned), Names{"File " + kCommunicator + "\\netscape.hst: link"});
  expectRunFollows(planned);
  EXPECT_EQ(refusals(app.lastRun.items[0]), refusals(planned));

  // A Mozilla profile reached through a linked folder keeps its cookies.
  machine.registry.setString(CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                             "AppData", kAppData);
  put("C:\\Precious\\profile\\cache\\a.tmp", "c");
  put("C:\\Precious\\profile\\cookies.txt", "mine too");
  machine.files.makeFolders(kMozilla + "Profiles\\default");
  ASSERT_EQ(0, machine.files.makeLink(kProfile, machine.files.hostPath("C:\\Precious\\profile")));
  put(kMozilla + "registry.dat", std::string("\x01") + kProfile + std::string(1, '\0'));
  planned = collectOnly(NSCookies);
  EXPECT_EQ(refusals(planned),
            Names{"File " + kProfile + "\\cookies.txt: the profile folder is reached through a link"});
  expectRunFollows(planned);
  EXPECT_EQ(read("C:\\Precious\\profile\\cookies.txt"), "mine too");
}

// Communicator named by both sources: "DirRoot" and the install folder lead to the same user folder.
TEST_F(BrowserPlans, AFolderBothNetscapeSourcesNameIsPlannedOnce) {
  netscape();
  machine.registry.setString(CurrentUser, "Software\\Netscape\\Netscape Navigator\\biff", "CurrentUser", "default");
  machine.registry.setString(CurrentUser, "Software\\Netscape\\Netscape Navigator\\Main", "Install Directory",
                             "C:\\Program Files\\Netscape\\Communicator");
  put(kCommunicator + "\\netscape.hst", "visited");
  put(kCommunicator + "\\cache\\M0001.htm", "page");
  erase::ItemPlan planned = collectOnly(NSHistory);
  EXPECT_EQ(names(planned), Names{"File " + kCommunicator + "\\netscape.hst"});
  expectRunFollows(planned);
  planned = collectOnly(NSCache);
  EXPECT_EQ(names(planned), Names{"File " + kCommunicator + "\\cache\\M0001.htm"});
  expectRunFollows(planned);
}

}  // namespace

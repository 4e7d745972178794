// The Internet Explorer, Netscape and Opera items where a preview could differ from its run:
// links, locked files, stores that fail, marks made in the cookie viewer. CatalogueTest.cpp
// has each item's plain case.
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
const std::string kAppData = kUser + "\\Application Data";
const std::string kMozilla = kAppData + "\\Mozilla\\";
const std::string kOperaProfile = kAppData + "\\Opera\\OPERA7\\profile";
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
    for (const erase::Target& t : item.targets)
      out.push_back(t.where + " " + std::to_string(t.bytes) + (t.outcome == Outcome::Kept ? " kept" : ""));
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

// Blanked in place, block by block: a file longer than one block keeps its length too.
TEST_F(BrowserPlans, IndexFilesAreBlankedToTheirWholeLength) {
  put(kCookies + "\\index.dat", "Client UrlCache MMF Ver 5.2 cookies");
  put(kHistory + "\\index.dat", std::string(70000, 'h'));
  const erase::ItemPlan planned = collectOnly(IEIndex);
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

// A store folder that is not absolute names no file: the current folder or drive would be taken.
TEST_F(BrowserPlans, AMailStoreThatIsNotAbsoluteNamesNoFile) {
  machine.registry.setString(CurrentUser, "Identities", "Default User ID", "{ID}");
  put("C:\\Outlook Express\\Deleted Items.dbx", "someone else's");
  for (const char* relative : {"Outlook Express", "\\Outlook Express", "C:Outlook Express"}) {
    machine.registry.setString(CurrentUser, "Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0",
                               "Store Root", relative);
    EXPECT_TRUE(collectOnly(IEMail).targets.empty()) << relative;
    run();
    EXPECT_EQ(read("C:\\Outlook Express\\Deleted Items.dbx"), "someone else's") << relative;
  }
}

TEST_F(BrowserPlans, AutoCompleteSwitchesAreTurnedOffAndOnesOffAlreadyAreNoTargets) {
  machine.registry.setString(CurrentUser, kIE + "\\Main", "Use FormSuggest", "yes");
  expectRunFollows(collectOnly(IEDisable));
  EXPECT_EQ(machine.registry.getString(CurrentUser, kIE + "\\Main", "Use FormSuggest"), "no");
  EXPECT_EQ(machine.registry.getString(CurrentUser, kAutoComplete, "Use AutoComplete"), "no");
  EXPECT_TRUE(collectOnly(IEDisable).targets.empty());
}

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

TEST_F(BrowserPlans, ACompanionThatCannotBeStartedIsReportedFailed) {
  machine.launcher.succeed = false;
  tickOnly(IEForms);
  run();
  expectRunEnded(Outcome::Failed, "iea.exe could not be started");
}

// Read into the viewer and marked there, the marks count, saved or not: the keep list's own
// mark taken off there no longer keeps the cookie. The run saves them, so the plan is
// compared with its report here.
TEST_F(BrowserPlans, CookiesMarkedInTheViewerAreNoTargets) {
  machine.urlCache.addCookie("user@bank.example", kCookies, 80);
  machine.urlCache.addCookie("user@mail.example", kCookies, 50);
  put("C:\\Program Files\\Quellery\\cookies.inf", "Cookie:user@bank.example/\r\n\r\n");
  cookies::cmdGetCache_Click(app.run(), app.frm.cookies);
  ASSERT_EQ(app.frm.cookies.lstCookies.listCount(), 2);
  app.frm.cookies.lstCookies.setSelected(0, false);  // the bank's, unmarked
  app.frm.cookies.lstCookies.setSelected(1, true);   // the mail's
  const erase::ItemPlan planned = collectOnly(IECookies);
  EXPECT_EQ(sizes(planned), (Names{"Cookie:user@bank.example/ 80", "Cookie:user@mail.example/ 50 kept"}));
  run();
  ASSERT_EQ(app.lastRun.items.size(), 1u);
  EXPECT_EQ(names(app.lastRun.items[0], Outcome::Removed), names(planned, Outcome::Planned));
  EXPECT_EQ(machine.urlCache.urls(), Names{"Cookie:user@mail.example/"});
  EXPECT_EQ(read("C:\\Program Files\\Quellery\\cookies.inf"), "Cookie:user@mail.example/\r\n\r\n")
      << "the run saves the marks it kept by";
}

TEST_F(BrowserPlans, AProfileListedTwiceInOtherLetterCaseIsOneTarget) {
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

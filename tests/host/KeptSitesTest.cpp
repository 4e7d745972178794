// One list of kept sites for every browser's cookies: which hosts a site keeps, the page
// that lists the sites and saves the marks, and the cookie items that spare them in
// Internet Explorer's cache, Firefox's cookies.txt and cookies.sqlite.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestApp.h"
#include "app/CookieSites.h"
#include "cookies/KeptSites.h"
#include "database/Database.h"

namespace {

using erase::Outcome;
using Names = std::vector<std::string>;

TEST(KeptSites, ASiteKeepsItselfAndTheHostsBelowItAndNoLookAlike) {
  const cookies::KeptSites kept{{"example.com", "10.0.0.1", "localhost"}};
  for (const char* host : {"example.com", ".example.com", "www.example.com", "a.b.example.com", "WWW.Example.COM",
                           "example.com.", "10.0.0.1", "localhost", ".localhost"})
    EXPECT_TRUE(kept.keeps(host)) << host;
  for (const char* host : {"badexample.com", "example.com.evil", "www.example.com.evil", "com", ".com", "example.co",
                           "xexample.com", "110.0.0.1", "10.0.0.10", "5.10.0.0.1", "", "."})
    EXPECT_FALSE(kept.keeps(host)) << host;
}

TEST(KeptSites, HostsAreListedUnderTheNameTheirOwnerRegistered) {
  EXPECT_EQ(cookies::siteOfHost(".www.Example.com"), "example.com");
  EXPECT_EQ(cookies::siteOfHost("example.com"), "example.com");
  EXPECT_EQ(cookies::siteOfHost("news.bbc.co.uk"), "bbc.co.uk");
  EXPECT_EQ(cookies::siteOfHost("shop.example.com.au"), "example.com.au");
  EXPECT_EQ(cookies::siteOfHost("a.b.example.de"), "example.de");
  EXPECT_EQ(cookies::siteOfHost("192.168.0.1"), "192.168.0.1");
  EXPECT_EQ(cookies::siteOfHost("localhost"), "localhost");
  for (const char* bad : {"", "*.com", "example..com", ".example.com", "Example.com", "exa mple.com", "a/b"})
    EXPECT_FALSE(cookies::isSiteName(bad)) << bad;
}

const std::string kProgram = "C:\\Program Files\\Quellery";
const std::string kSites = kProgram + "\\cookiesites.inf";
const std::string kIECookies = "C:\\Documents and Settings\\User\\Cookies";
const std::string kFirefox = "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\Firefox";
const std::string kProfile = kFirefox + "\\Profiles\\a1b2.default";
const std::string kCookiesTxt = kProfile + "\\cookies.txt";
const std::string kCookiesSqlite = kProfile + "\\cookies.sqlite";

const std::string kHeader = "# Netscape HTTP Cookie File\r\n# http://www.netscape.com/newsref/std/cookie_spec.html\r\n\r\n";
const std::string kKeptLines =
    ".example.com\tTRUE\t/\tFALSE\t2000000000\tprefs\tlang=en\r\n"
    "www.example.com\tFALSE\t/account\tTRUE\t2000000000\tsession\tsigned-in-4471\r\n";
const std::string kGoneLines =
    ".badexample.com\tTRUE\t/\tFALSE\t2000000000\ttrack\tad-9921\r\n"
    "example.com.evil\tFALSE\t/\tFALSE\t2000000000\ttrack\tevil-5150\r\n";

class CookieSites : public ::testing::Test, protected TestApp {
 protected:
  CookieSites() {
    machine.system.programDir = kProgram;
    machine.files.makeFolders(kProgram);
    machine.files.makeFolders(kProfile);
    machine.files.writeFile(kFirefox + "\\profiles.ini",
                            "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/a1b2.default\r\n");
    machine.files.writeFile(kCookiesTxt, kHeader + kKeptLines + kGoneLines);
    machine.urlCache.addCookie("user@www.example.com", kIECookies, 40);
    machine.urlCache.addCookie("user@badexample.com", kIECookies, 50);
    machine.files.writeFile(kCookiesSqlite, "");
    auto db = open();
    EXPECT_TRUE(db && db->exec(R"(
      CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, name TEXT, value TEXT, host TEXT, path TEXT);
      INSERT INTO moz_cookies (name, value, host, path) VALUES ('sid', 'kept-1180', '.example.com', '/'),
        ('sid', 'bad-3391', '.badexample.com', '/'), ('sid', 'evil-7702', 'example.com.evil', '/');)"));
  }
  std::unique_ptr<database::Database> open() {
    database::OpenResult result = database::Database::open(machine.files, kCookiesSqlite);
    return std::move(result.database);
  }
  Names hostsInDatabase() {
    Names out;
    auto db = open();
    database::Statement rows = db->prepare("SELECT host FROM moz_cookies ORDER BY id");
    while (rows.next()) out.push_back(rows.text(0));
    return out;
  }
  std::string read(const std::string& path) {
    std::string text;
    return machine.files.readFile(path, &text) == 0 ? text : "<missing>";
  }
  std::string raw(const std::string& path) {
    std::ifstream in(machine.files.hostPath(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  Names shownSites() {
    Names out;
    for (int i = 0; i < app.frm.cookieSites.lstSites.listCount(); ++i) out.push_back(app.frm.cookieSites.lstSites.list(i));
    return out;
  }
  int lineOf(const std::string& site) {
    const Names& sites = app.frm.cookieSites.siteOfLine;
    return static_cast<int>(std::find(sites.begin(), sites.end(), site) - sites.begin());
  }
  // The three cookie items, walked as `mode` walks them, each into a plan of its own.
  std::vector<erase::ItemPlan> walk(engine::Mode mode) {
    std::vector<erase::ItemPlan> plans;
    for (const engine::CleaningItem& item : engine::catalogue()) {
      if (!item.cookiesOf) continue;
      plans.emplace_back();
      plans.back().caption = item.caption;
      app.flags.plan = &plans.back();
      app.flags.skipped.clear();
      engine::executeItem(item, app.run(), mode);
      if (!app.flags.skipped.empty())
        plans.back().targets.push_back({erase::TargetKind::Item, app.flags.skipped, 0, Outcome::Failed, {}});
      app.flags.plan = nullptr;
    }
    return plans;
  }
  static std::string counts(const erase::ItemPlan& plan) {
    return plan.caption + ": " + std::to_string(plan.count(Outcome::Planned) + plan.count(Outcome::Removed)) +
           " go, " + std::to_string(plan.count(Outcome::Kept)) + " kept, " +
           std::to_string(plan.count(Outcome::Failed)) + " failed";
  }
  static Names countsOf(const std::vector<erase::ItemPlan>& plans) {
    Names out;
    for (const erase::ItemPlan& plan : plans) out.push_back(counts(plan));
    return out;
  }
};

TEST_F(CookieSites, AMarkedSiteIsKeptInEveryBrowserAndItsLookAlikesGo) {
  app.frm.cookieSites.cmdGetSites.click();
  // example.com.evil is a name below com.evil, listed there.
  EXPECT_EQ(shownSites(), (Names{"badexample.com  (Firefox 2, Internet Explorer 1)", "com.evil  (Firefox 2)",
                                 "example.com  (Firefox 3, Internet Explorer 1)"}));
  app.frm.cookieSites.lstSites.click(lineOf("example.com"));
  EXPECT_EQ(read(kSites), "example.com\r\n") << "a mark is saved at once";

  const std::string before = raw(kCookiesSqlite);
  EXPECT_EQ(countsOf(walk(engine::Mode::Preview)),
            (Names{"Clean Cookies: 1 go, 1 kept, 0 failed", "Clean Netscape Cookies: 0 go, 0 kept, 0 failed",
                   "Clean Opera Cookies: 0 go, 0 kept, 0 failed",
                   "Clean Firefox Cookies: 4 go, 3 kept, 0 failed", "Clean Chrome Cookies: 0 go, 0 kept, 0 failed",
                   "Clean Safari Cookies: 0 go, 0 kept, 0 failed"}));
  EXPECT_EQ(raw(kCookiesSqlite), before) << "the preview changed the database";
  EXPECT_EQ(read(kCookiesTxt), kHeader + kKeptLines + kGoneLines) << "the preview changed cookies.txt";

  EXPECT_EQ(countsOf(walk(engine::Mode::Clean)),
            (Names{"Clean Cookies: 1 go, 1 kept, 0 failed", "Clean Netscape Cookies: 0 go, 0 kept, 0 failed",
                   "Clean Opera Cookies: 0 go, 0 kept, 0 failed",
                   "Clean Firefox Cookies: 4 go, 3 kept, 0 failed", "Clean Chrome Cookies: 0 go, 0 kept, 0 failed",
                   "Clean Safari Cookies: 0 go, 0 kept, 0 failed"}));
  EXPECT_EQ(machine.urlCache.urls(), Names{"Cookie:user@www.example.com/"});
  EXPECT_EQ(read(kCookiesTxt), kHeader + kKeptLines) << "the kept lines, byte for byte, and the header";
  EXPECT_EQ(hostsInDatabase(), Names{".example.com"});
  const std::string bytes = raw(kCookiesSqlite);
  for (const char* gone : {"bad-3391", "evil-7702", "badexample", "com.evil"})
    EXPECT_EQ(bytes.find(gone), std::string::npos) << gone << " can still be read in the file";
  EXPECT_NE(bytes.find("kept-1180"), std::string::npos);

  // Unmarked again, the site's cookies go at the next clean.
  app.frm.cookieSites.cmdGetSites.click();
  EXPECT_EQ(shownSites(), (Names{"example.com  (Firefox 3, Internet Explorer 1)"}));
  app.frm.cookieSites.lstSites.click(0);
  EXPECT_EQ(read(kSites), "");
  walk(engine::Mode::Clean);
  EXPECT_EQ(read(kCookiesTxt), kHeader);
  EXPECT_EQ(hostsInDatabase(), Names{});
  EXPECT_EQ(machine.urlCache.urls(), Names{});
}

// The window reports every line's mark and the caret after each click; a mark taken back on
// the line just clicked leaves the caret where it was.
TEST_F(CookieSites, AMarkTakenBackOnTheLineJustClickedIsSavedAsTheOthersAre) {
  app.frm.cookieSites.cmdGetSites.click();
  ASSERT_EQ(shownSites(), (Names{"badexample.com  (Firefox 2, Internet Explorer 1)", "com.evil  (Firefox 2)",
                                 "example.com  (Firefox 3, Internet Explorer 1)"}));
  ui::ListBox& list = app.frm.cookieSites.lstSites;
  list.takeUserMarks({false, false, true}, 2);
  EXPECT_EQ(read(kSites), "example.com\r\n");
  list.takeUserMarks({true, false, true}, 0);  // a slip
  EXPECT_EQ(read(kSites), "badexample.com\r\nexample.com\r\n");
  list.takeUserMarks({false, false, true}, 0);
  EXPECT_EQ(read(kSites), "example.com\r\n") << "the site unmarked on the page is still kept";
  walk(engine::Mode::Clean);
  EXPECT_EQ(machine.urlCache.urls(), Names{"Cookie:user@www.example.com/"});
}

TEST_F(CookieSites, AListOfSitesThatCannotBeReadRemovesNoCookieAndIsNeverOverwrittenByMarks) {
  machine.files.writeFile(kSites, "example.com\r\n*.bank.example\r\n");
  const std::string database = raw(kCookiesSqlite);
  for (const erase::ItemPlan& plan : walk(engine::Mode::Clean)) {
    if (plan.caption != std::string("Clean Cookies") && plan.caption != std::string("Clean Firefox Cookies")) continue;
    EXPECT_TRUE(plan.count(Outcome::Failed) > 0 && plan.count(Outcome::Removed) == 0) << counts(plan);
  }
  EXPECT_EQ(machine.urlCache.urls().size(), 2u);
  EXPECT_EQ(read(kCookiesTxt), kHeader + kKeptLines + kGoneLines);
  EXPECT_EQ(raw(kCookiesSqlite), database);

  app.frm.cookieSites.cmdGetSites.click();
  EXPECT_EQ(app.frm.cookieSites.lblSites.caption().rfind("Nothing is kept or removed: the list of kept sites", 0), 0u)
      << app.frm.cookieSites.lblSites.caption();
  app.frm.cookieSites.lstSites.click(0);
  EXPECT_EQ(read(kSites), "example.com\r\n*.bank.example\r\n") << "marks drawn without the list replaced it";
}

TEST_F(CookieSites, ACookieFileThatIsALinkOrHasASecondNameIsNotWrittenThrough) {
  machine.files.writeFile(kSites, "example.com\r\n");
  const std::string elsewhere = "C:\\Documents and Settings\\Other\\notes.txt";
  machine.files.makeFolders("C:\\Documents and Settings\\Other");
  machine.files.writeFile(elsewhere, kHeader + kGoneLines);
  ASSERT_EQ(machine.files.swapForHardLink(kCookiesTxt, elsewhere), 0);
  std::vector<erase::ItemPlan> plans = walk(engine::Mode::Clean);
  EXPECT_EQ(read(elsewhere), kHeader + kGoneLines);
  EXPECT_EQ(plans[3].count(Outcome::Refused), 1u) << counts(plans[3]);

  machine.files.deleteFile(kCookiesTxt);
  ASSERT_EQ(machine.files.makeLink(kCookiesTxt, machine.files.hostPath(elsewhere)), 0);
  plans = walk(engine::Mode::Clean);
  EXPECT_EQ(read(elsewhere), kHeader + kGoneLines);
  EXPECT_EQ(plans[3].count(Outcome::Refused), 1u) << counts(plans[3]);
}

TEST_F(CookieSites, AFileNoReaderKnowsStaysWhileSitesAreKeptAndGoesWholeWhenNoneAre) {
  const std::string unknown = "# Netscape HTTP Cookie File\r\nthis line is no cookie\r\n";
  machine.files.writeFile(kCookiesTxt, unknown);
  machine.files.writeFile(kSites, "example.com\r\n");
  std::vector<erase::ItemPlan> plans = walk(engine::Mode::Clean);
  EXPECT_EQ(read(kCookiesTxt), unknown);
  EXPECT_EQ(plans[3].count(Outcome::Failed), 1u) << counts(plans[3]);
  machine.files.writeFile(kSites, "");
  walk(engine::Mode::Clean);
  EXPECT_EQ(read(kCookiesTxt), "<missing>");
}

}  // namespace

#include <gtest/gtest.h>

#include <memory>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "cookies/CacheWalk.h"
#include "cookies/CookieKeeper.h"
#include "platform/WinError.h"
#include "program/Startup.h"

namespace {

const char* const kCookies = "C:\\Documents and Settings\\me\\Cookies";
const char* const kCache = "C:\\Documents and Settings\\me\\Local Settings\\Temporary Internet Files";

// A machine whose cache outlives the program, so that it can be closed and started again.
struct CookieMachine {
  std::unique_ptr<TestApp> t = std::make_unique<TestApp>();
  platform::sim::SimUrlCache& cache() { return t->machine.urlCache; }
  program::App& app() { return t->app; }
  ui::ListBox& list() { return t->app.frm.cookies.lstCookies; }
  CookieMachine() {
    t->machine.files.makeFolders(t->machine.system.programDir);
    cache().addCookie("me@alpha.example", kCookies);
    cache().add("http://alpha.example/logo.gif", std::string(kCache) + "\\Content.IE5\\AB12\\logo[1].gif",
                platform::cacheentry::Normal);
    cache().addCookie("me@beta.example", kCookies);
    cache().add("Visited: me@http://alpha.example/", "", platform::cacheentry::UrlHistory);
    cache().add("Cookie:me@wine.example/", std::string(kCookies) + "\\x.txt", platform::cacheentry::Cookie);
    cache().addCookie("me@gamma.example", kCookies);
  }
  std::string keepFile() {
    std::string text;
    if (t->machine.files.readFile(cookies::keepListPath(app().run()), &text) != 0) return "<missing>";
    return text;
  }
  void writeKeepFile(const std::string& text) { t->machine.files.writeFile(cookies::keepListPath(app().run()), text); }
  std::vector<std::string> shown() {
    std::vector<std::string> out;
    for (int i = 0; i < list().listCount(); ++i) out.push_back(list().list(i) + (list().selected(i) ? " *" : ""));
    return out;
  }
  // Closes the program and starts it again on the same disk and cache.
  void restart() {
    program::Form_Unload(app());
    auto next = std::make_unique<TestApp>();
    next->machine.files.makeFolders(next->machine.system.programDir);
    std::string text;
    if (t->machine.files.readFile(cookies::keepListPath(app().run()), &text) == 0)
      next->machine.files.writeFile(cookies::keepListPath(next->app.run()), text);
    next->machine.urlCache = cache();
    t = std::move(next);
  }
};

}  // namespace

TEST(CookieKeeperTest, ViewListsOnlyCookiesWithBothBitsInCacheOrder) {
  CookieMachine m;
  m.list().clear();
  m.app().frm.cookies.cmdGetCache.click();
  EXPECT_EQ((std::vector<std::string>{"Cookie:me@alpha.example/", "Cookie:me@beta.example/",
                                      "Cookie:me@gamma.example/"}),
            m.shown());
  EXPECT_FALSE(m.app().frm.cookies.fraMessage.visible());
  EXPECT_EQ(0, m.cache().openFinds);
}

TEST(CookieKeeperTest, EmptyCacheShowsNoCookies) {
  TestApp t;
  t.app.frm.cookies.cmdGetCache.click();
  ASSERT_EQ(1, t.app.frm.cookies.lstCookies.listCount());
  EXPECT_EQ("No Cookies", t.app.frm.cookies.lstCookies.list(0));
}

TEST(CookieKeeperTest, TwoMarkedCookiesSurviveARestartByteForByte) {
  CookieMachine m;
  m.app().frm.cookies.cmdGetCache.click();
  m.list().setSelected(0, true);
  m.list().setSelected(2, true);
  m.restart();
  EXPECT_EQ("Cookie:me@alpha.example/\r\nCookie:me@gamma.example/\r\n\r\n", m.keepFile());
  m.app().frm.cookies.cmdGetCache.click();
  EXPECT_EQ((std::vector<std::string>{"Cookie:me@alpha.example/ *", "Cookie:me@beta.example/",
                                      "Cookie:me@gamma.example/ *"}),
            m.shown());
}

TEST(CookieKeeperTest, StartAndCloseLeavesTheKeepListUntouched) {
  CookieMachine m;
  m.writeKeepFile("Cookie:me@beta.example/\r\nstale line\r\n\r\n");
  m.restart();
  m.restart();
  EXPECT_EQ("Cookie:me@beta.example/\r\nstale line\r\n\r\n", m.keepFile());
  // Once the list was read, lines naming no cookie are not written back.
  m.app().frm.cookies.cmdGetCache.click();
  program::Form_Unload(m.app());
  EXPECT_EQ("Cookie:me@beta.example/\r\n\r\n", m.keepFile());
}

TEST(CookieKeeperTest, EmptyKeepListIsOneLineEnd) {
  CookieMachine m;
  m.app().frm.cookies.cmdGetCache.click();
  program::Form_Unload(m.app());
  EXPECT_EQ("\r\n", m.keepFile());
}

TEST(CookieKeeperTest, KeepListMatchesWholeLinesWithCase) {
  CookieMachine m;
  m.writeKeepFile("cookie:me@alpha.example/\r\nCookie:me@beta.example\r\nCookie:me@gamma.example/\n");
  m.app().frm.cookies.cmdGetCache.click();
  EXPECT_EQ((std::vector<std::string>{"Cookie:me@alpha.example/", "Cookie:me@beta.example/",
                                      "Cookie:me@gamma.example/ *"}),
            m.shown());
}

TEST(CookieKeeperTest, CleaningRightAfterStartSparesExactlyTheKeptCookies) {
  CookieMachine m;
  m.writeKeepFile("Cookie:me@beta.example/\r\n\r\n");
  m.restart();
  m.app().frm.chkIEsettings[8].setValue(1);
  app::doClean(m.app());
  EXPECT_EQ((std::vector<std::string>{"http://alpha.example/logo.gif", "Cookie:me@beta.example/",
                                      "Visited: me@http://alpha.example/", "Cookie:me@wine.example/"}),
            m.cache().urls());
  EXPECT_EQ((std::vector<std::string>{"Cookie:me@beta.example/ *"}), m.shown());
  EXPECT_EQ("Cookie:me@beta.example/\r\n\r\n", m.keepFile());
}

TEST(CookieKeeperTest, AKeepListThatCannotBeReadNowIsNeitherIgnoredNorOverwritten) {
  CookieMachine m;
  m.writeKeepFile("Cookie:me@beta.example/\r\n\r\n");
  m.restart();
  const std::vector<std::string> before = m.cache().urls();
  m.t->machine.files.lock(cookies::keepListPath(m.app().run()));  // another program has it open
  m.app().frm.chkIEsettings[8].setValue(1);
  app::doClean(m.app());
  EXPECT_EQ(before, m.cache().urls()) << "no cookie may go while the keep list is unknown";
  m.t->machine.files.unlock(cookies::keepListPath(m.app().run()));
  program::Form_Unload(m.app());
  EXPECT_EQ("Cookie:me@beta.example/\r\n\r\n", m.keepFile());
}

TEST(CookieKeeperTest, DeleteAllSparesNothingAndShowsWhatFailed) {
  CookieMachine m;
  m.writeKeepFile("Cookie:me@alpha.example/\r\nCookie:me@beta.example/\r\n\r\n");
  m.cache().undeletable.push_back("Cookie:me@beta.example/");
  m.app().frm.cookies.cmdGetCache.click();
  m.app().frm.cookies.cmdDeleteAllCache.click();
  EXPECT_EQ((std::vector<std::string>{"Cookie:me@beta.example/ *"}), m.shown());
  EXPECT_FALSE(m.cache().contains("Cookie:me@alpha.example/"));
  EXPECT_TRUE(m.cache().contains("http://alpha.example/logo.gif"));
}

TEST(CookieKeeperTest, AbsurdRecordSizesEndTheWalkWithoutAllocating) {
  for (uint32_t absurd : {0u, cookies::kMaxCacheRecord + 1, 0xFFFFFFFFu}) {
    CookieMachine m;
    m.writeKeepFile("Cookie:me@alpha.example/\r\nCookie:me@gamma.example/\r\n\r\n");
    m.cache().reportedSize[2] = absurd;  // the second cookie's record
    m.app().frm.cookies.cmdGetCache.click();
    EXPECT_EQ((std::vector<std::string>{"Cookie:me@alpha.example/ *"}), m.shown()) << absurd;
    EXPECT_EQ(0, m.cache().openFinds);
    // A list cut short is not taken for the keep list ...
    program::Form_Unload(m.app());
    EXPECT_EQ("Cookie:me@alpha.example/\r\nCookie:me@gamma.example/\r\n\r\n", m.keepFile());
  }
  CookieMachine m;  // ... nor does an absurd first record open a walk
  m.cache().reportedSize[0] = 0;
  m.app().frm.cookies.cmdGetCache.click();
  EXPECT_EQ((std::vector<std::string>{"No Cookies"}), m.shown());
  EXPECT_EQ(0, m.cache().openFinds);
}

TEST(CookieKeeperTest, ClosingWhileTheListIsReadKeepsTheKeepList) {
  CookieMachine m;
  for (int i = 0; i < 3 * cookies::kRecordsPerYield; ++i)
    m.cache().addCookie("me@site" + std::to_string(i) + ".example", kCookies);
  m.writeKeepFile("Cookie:me@beta.example/\r\n\r\n");
  m.app().frm.cookies.cmdGetCache.click();
  int yields = 0;
  bool noticeShown = false;
  // Events that land while the second read is under way (past the wait notice's own
  // dispatch): a click on the cookie buttons, and closing the window.
  m.t->machine.loop.at(m.t->now() + 2, [&] {
    ++yields;
    noticeShown = m.app().frm.cookies.fraMessage.visible();
    m.app().frm.cookies.cmdDeleteSelected.click();  // ignored while reading
    program::Form_Unload(m.app());
  });
  m.app().frm.cookies.cmdGetCache.click();
  EXPECT_EQ(1, yields);
  EXPECT_TRUE(noticeShown);
  EXPECT_EQ("Cookie:me@beta.example/\r\n\r\n", m.keepFile());
  EXPECT_TRUE(m.cache().contains("Cookie:me@alpha.example/"));
}

TEST(CookieKeeperTest, ARefillThatBreaksOrIsCutShortNeverBecomesTheKeepList) {
  CookieMachine m;
  m.writeKeepFile("Cookie:me@alpha.example/\r\nCookie:me@gamma.example/\r\n\r\n");
  m.app().frm.cookies.cmdGetCache.click();  // a good read: the marks are in force
  m.cache().reportedSize[2] = 0;             // the next read breaks at the second cookie
  m.app().frm.cookies.cmdGetCache.click();
  program::Form_Unload(m.app());
  EXPECT_EQ("Cookie:me@alpha.example/\r\nCookie:me@gamma.example/\r\n\r\n", m.keepFile());
  // The next run, on a sound cache, still spares both.
  m.restart();
  m.cache().reportedSize.clear();
  m.app().frm.chkIEsettings[8].setValue(1);
  app::doClean(m.app());
  EXPECT_TRUE(m.cache().contains("Cookie:me@alpha.example/"));
  EXPECT_TRUE(m.cache().contains("Cookie:me@gamma.example/"));
  EXPECT_FALSE(m.cache().contains("Cookie:me@beta.example/"));
}

TEST(CookieKeeperTest, AKeepListWriteThatFailsMidwayKeepsTheOldList) {
  CookieMachine m;
  m.writeKeepFile("Cookie:me@alpha.example/\r\nCookie:me@gamma.example/\r\n\r\n");
  m.app().frm.cookies.cmdGetCache.click();
  m.list().setSelected(1, true);
  m.t->machine.files.limitWrites(10);  // the disk fills up ten bytes in
  program::Form_Unload(m.app());
  EXPECT_EQ("Cookie:me@alpha.example/\r\nCookie:me@gamma.example/\r\n\r\n", m.keepFile());
  std::string leftover;
  EXPECT_NE(0, m.t->machine.files.readFile(cookies::keepListPath(m.app().run()) + ".new", &leftover));
  m.t->machine.files.limitWrites(static_cast<size_t>(-1));
  program::Form_Unload(m.app());
  EXPECT_EQ("Cookie:me@alpha.example/\r\nCookie:me@beta.example/\r\nCookie:me@gamma.example/\r\n\r\n",
            m.keepFile());
}

TEST(CookieKeeperTest, APlainClickMarksOneCookieAndLeavesTheOtherMarks) {
  CookieMachine m;
  m.writeKeepFile("Cookie:me@alpha.example/\r\nCookie:me@gamma.example/\r\n\r\n");
  m.app().frm.cookies.cmdGetCache.click();
  m.list().click(1);
  EXPECT_EQ((std::vector<std::string>{"Cookie:me@alpha.example/ *", "Cookie:me@beta.example/ *",
                                      "Cookie:me@gamma.example/ *"}),
            m.shown());
  m.list().click(0);
  EXPECT_EQ((std::vector<std::string>{"Cookie:me@alpha.example/", "Cookie:me@beta.example/ *",
                                      "Cookie:me@gamma.example/ *"}),
            m.shown());
}

TEST(CookieKeeperTest, ARunDuringARefillCleansByTheSavedKeepListAndLeavesTheListUnfilled) {
  CookieMachine m;
  for (int i = 0; i < 3 * cookies::kRecordsPerYield; ++i)
    m.cache().addCookie("me@site" + std::to_string(i) + ".example", kCookies);
  m.writeKeepFile("Cookie:me@beta.example/\r\n\r\n");
  m.restart();
  m.app().frm.chkIEsettings[8].setValue(1);
  std::vector<std::string> runLines;
  // A scheduled run lands while "View Cookies" reads the cache.
  m.t->machine.loop.at(m.t->now() + 2, [&] {
    app::doClean(m.app());
    runLines = m.t->lines();
  });
  m.app().frm.cookies.cmdGetCache.click();
  ASSERT_FALSE(runLines.empty());
  EXPECT_EQ((std::vector<std::string>{"http://alpha.example/logo.gif", "Cookie:me@beta.example/",
                                      "Visited: me@http://alpha.example/", "Cookie:me@wine.example/"}),
            m.cache().urls());
  EXPECT_FALSE(m.app().frm.cookies.filled);
  program::Form_Unload(m.app());
  EXPECT_EQ("Cookie:me@beta.example/\r\n\r\n", m.keepFile());
}

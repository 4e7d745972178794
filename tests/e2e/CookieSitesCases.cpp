// End-to-end cases on the real program: one list of kept sites for every browser's cookies.
// The user lists the sites of Internet Explorer's, Firefox's and Opera's cookies on the
// Cookies page, marks one, and the three cookie items keep the cookies of that site and of
// the hosts below it, byte for byte, and remove those of the hosts that only look like it.
// A list of kept sites that cannot be read keeps everything and says so.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BrowserDatabaseFixtures.h"
#include "CookieSeeds.h"
#include "DriverSupport.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::filesHolding;
using e2e::listing;
using e2e::Program;

const char* const kSite = "example.com";
// The kept site and the host below it; the hosts that only look like it.
const char* const kKeptHosts[] = {"www.example.com"};
const char* const kLookAlikes[] = {"badexample.com", "example.com.evil"};

// The page's lines for the three browsers' cookies seeded here: a site with how many
// cookies each browser holds for it and the hosts below it.
const char kExampleLine[] = "example.com  (Firefox 2, Internet Explorer 1, Opera 3)";
const char kBadExampleLine[] = "badexample.com  (Firefox 1, Internet Explorer 1, Opera 1)";
// example.com.evil is registered as com.evil.
const char kEvilLine[] = "com.evil  (Firefox 1, Internet Explorer 1, Opera 1)";

// The Firefox rows of .example.com and www.example.com (BrowserDatabaseFixtures.h).
const std::vector<std::string> kKeptFirefoxRows = {
    "1|example.com|SID|fx-sid-31d4|.example.com|/|1900000000|1480000000000001|1480000000000001|0|1",
    "2|example.com|lang|fx-lang-en|www.example.com|/|1900000000|1480000000000002|1480000000000002|0|0"};
const char* const kGoneFirefoxText[] = {"badexample", "example.com.evil", "fx-track-77a0", "fx-steal-5e11"};

// The cookie items, by tick, and their lines in a run.
const std::vector<e2e::Tick> kCookieItems = {{"chkIEsettings", 8}, {"chkOPsettings", 2}, {"chkFFsettings", 4}};
const std::vector<std::string> kItemLines = {"Cleaning Cookies...", "Cleaning Opera Cookies...",
                                             "Cleaning Firefox Cookies..."};

// A cookie's file as Internet Explorer writes it: name, value, host and path, flags, times.
std::string ieCookieText(const std::string& host) {
  return "SID\nie-sid-" + host + "\n" + host + "/\n1024\n2596069376\n30853960\n1523420208\n30079810\n*\n";
}

// com > example (SID at its root, token below /account) > www, com > badexample, and
// evil > com > example; the look-alikes' cookies only with `lookAlikes`.
std::string operaFile(bool lookAlikes) {
  e2e::OperaCookies o;
  o.domain("com").endPath();
  o.domain("example").cookie("SID", "op-sid-8c2e").path("account").cookie("token", "op-token-4d1f").endPath().endPath();
  o.domain("www").cookie("lang", "op-lang-en").endPath().endDomain();
  o.endDomain();
  o.domain("badexample");
  if (lookAlikes) o.cookie("track", "op-track-77a0");
  o.endPath().endDomain();
  o.endDomain();
  o.domain("evil").endPath().domain("com").endPath().domain("example");
  if (lookAlikes) o.cookie("steal", "op-steal-5e11");
  o.endPath().endDomain().endDomain().endDomain();
  return o.file();
}

// Where the three browsers keep their cookies in this prefix.
struct Stores {
  std::string programFolder, keptSites, ieKeepList;
  std::string firefox, firefoxProfile, firefoxCookies;
  std::string operaCookies;
};

Stores storesOf(const std::string& exePath) {
  Stores s;
  s.programFolder = exePath.substr(0, exePath.find_last_of('\\'));
  s.keptSites = s.programFolder + "\\cookiesites.inf";
  s.ieKeepList = s.programFolder + "\\cookies.inf";
  const std::string roaming = e2e::shellFolder(CSIDL_APPDATA);
  s.firefox = roaming + "\\Mozilla\\Firefox";
  s.firefoxProfile = s.firefox + "\\Profiles\\c00k1e5s.default";
  s.firefoxCookies = s.firefoxProfile + "\\cookies.sqlite";
  s.operaCookies = roaming + "\\Opera\\Opera\\cookies4.dat";
  return s;
}

std::vector<std::string> allIEHosts() {
  std::vector<std::string> hosts(std::begin(kKeptHosts), std::end(kKeptHosts));
  hosts.insert(hosts.end(), std::begin(kLookAlikes), std::end(kLookAlikes));
  return hosts;
}

bool put(const std::string& path, const std::string& bytes) {
  e2e::makeFolders(path.substr(0, path.rfind('\\')));
  return e2e::writeFile(path, bytes);
}

// Internet Explorer's cookies of www.example.com and the look-alikes, a Firefox profile and
// an Opera 12 profile, each with cookies of example.com, its sub-domain and the look-alikes.
void seedCookies(const Stores& s) {
  for (const std::string& host : allIEHosts())
    ASSERT_TRUE(e2e::cacheIECookie(host, ieCookieText(host))) << host << " error " << GetLastError();
  ASSERT_TRUE(put(s.firefox + "\\profiles.ini",
                  "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
                  "Path=Profiles/c00k1e5s.default\r\nDefault=1\r\n"));
  ASSERT_TRUE(put(s.firefoxCookies, e2e::firefox4Cookies()));
  ASSERT_EQ(e2e::firefoxCookieRows(s.firefoxCookies).size(), 4u) << listing(e2e::firefoxCookieRows(s.firefoxCookies));
  ASSERT_TRUE(put(s.operaCookies, operaFile(true)));
}

// The non-empty lines of a text, whatever ends them.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string windowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// The Cookies page shown and View Sites pressed, as a user does: the page's list, null (with
// a failure) when a control is missing. The page gets its windows when first shown.
HWND pressViewSites(const Program& program) {
  if (!program.showPage("Cookies")) {
    ADD_FAILURE() << "no Cookies node in the settings tree";
    return nullptr;
  }
  HWND view = program.control("cmdGetSites"), list = program.control("lstSites");
  if (!view || !list) return nullptr;
  EXPECT_EQ(windowText(view), "View Sites");
  PostMessageA(view, BM_CLICK, 0, 0);  // its handler walks every browser's cookies
  return list;
}

// The page's lines once they show example.com and each look-alike; false (with a failure)
// when they do not.
bool showsTheSites(HWND list, std::vector<std::string>* lines) {
  const bool listed = e2e::waitForLines(
      list, lines,
      [](const auto& now) {
        return e2e::contains(now, kExampleLine) && e2e::contains(now, kBadExampleLine) && e2e::contains(now, kEvilLine);
      },
      e2e::kDeadlineMs);
  if (!listed)
    ADD_FAILURE() << "the list shows example.com with the three browsers, and each look-alike on a line of its "
                     "own:\n  expected among them \""
                  << kExampleLine << "\", \"" << kBadExampleLine << "\", \"" << kEvilLine << "\"\n"
                  << listing(*lines);
  return listed;
}

int lineOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

// A plain click on the line, as a user marks it in a list of many marks.
void clickLine(const Program& program, HWND list, int index) {
  const int rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  const LPARAM point = MAKELPARAM(8, (index - top) * rowHeight + rowHeight / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(list, WM_LBUTTONUP, 0, point);
  program.settle();
}

// The saved list of kept sites, once it holds `sites`.
bool keptSitesBecome(const std::string& path, const std::vector<std::string>& sites) {
  return e2e::waitUntil([&] { return linesOf(e2e::readFile(path, "")) == sites; });
}

std::string quoted(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += (out.empty() ? "\"" : ", \"") + line + "\"";
  return "[" + out + "]";
}

bool runCookieItems(const Program& program, std::vector<std::string>* lines) {
  if (!e2e::tickOnly(program, kCookieItems)) return false;
  const bool ended = e2e::runToEnd(program, lines);
  EXPECT_TRUE(ended) << "the run did not end within " << e2e::kRunDeadlineMs / 1000 << " s\n" << listing(*lines);
  return ended;
}

// What a case leaves behind goes, so that the other cases of the run find none of it.
void removeSeeds(const Stores& s) {
  for (const std::string& host : allIEHosts()) e2e::forgetIECookie(host);
  DeleteFileA(s.keptSites.c_str());
  RemoveDirectoryA(s.keptSites.c_str());
  DeleteFileA(s.ieKeepList.c_str());
  DeleteFileA(s.operaCookies.c_str());
  for (const char* name : {"", "-wal", "-shm", "-journal"}) DeleteFileA((s.firefoxCookies + name).c_str());
}

// Each case starts from every browser's seeded cookies and takes them away however it ends.
class CookieSites : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
    ASSERT_EQ(FindWindowA(nullptr, e2e::kCaption), nullptr) << "another Quellery is running";
    removeSeeds(s);
    seedCookies(s);
  }
  void TearDown() override { removeSeeds(s); }

  const std::string exePath = e2e::programPath();
  const Stores s = storesOf(exePath);
};

}  // namespace

TEST_F(CookieSites, AMarkedSiteKeepsItsCookiesInEveryBrowserAndTheLookAlikesLoseTheirs) {

  Program program;
  ASSERT_TRUE(program.start(exePath));
  HWND list = pressViewSites(program);
  std::vector<std::string> shown;
  if (!list || !showsTheSites(list, &shown)) {
    program.terminate();
    return;
  }
  for (int i = 0; i < static_cast<int>(shown.size()); ++i)
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, i, 0), 0) << "marked before any click: " << shown[i];

  // example.com marked; badexample.com marked by a slip and unmarked again.
  clickLine(program, list, lineOf(shown, kExampleLine));
  EXPECT_TRUE(keptSitesBecome(s.keptSites, {kSite}))
      << "after marking example.com, " << s.keptSites << " holds " << quoted(linesOf(e2e::readFile(s.keptSites)));
  clickLine(program, list, lineOf(shown, kBadExampleLine));
  EXPECT_TRUE(keptSitesBecome(s.keptSites, {"badexample.com", kSite}))
      << "after marking badexample.com too, " << s.keptSites << " holds "
      << quoted(linesOf(e2e::readFile(s.keptSites)));
  clickLine(program, list, lineOf(shown, kBadExampleLine));
  EXPECT_TRUE(keptSitesBecome(s.keptSites, {kSite}))
      << "after unmarking badexample.com, " << s.keptSites << " holds " << quoted(linesOf(e2e::readFile(s.keptSites)));
  for (int i = 0; i < static_cast<int>(shown.size()); ++i)
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, i, 0) > 0, shown[i] == kExampleLine) << "the mark of " << shown[i];

  const std::string pictures = e2e::screenshotDir(exePath);
  CreateDirectoryA(pictures.c_str(), nullptr);
  e2e::screenshot(program.main, pictures + "\\cookie-sites-marked.bmp");

  std::vector<std::string> lines;
  const bool ran = runCookieItems(program, &lines);
  program.terminate();
  if (ran) {
    std::vector<std::string> expected = e2e::runLines(kItemLines);
    expected[3 * 1 + 2] = " ";  // Opera's cookie item closes with a single blank
    e2e::expectLines("the list after the run", expected, lines);
  }

  // Internet Explorer: the kept host's entry and its file as they were, the others gone.
  for (const char* host : kKeptHosts) EXPECT_EQ(e2e::cachedIECookie(host), ieCookieText(host)) << host;
  for (const char* host : kLookAlikes) {
    EXPECT_EQ(e2e::cachedIECookie(host), "(not in the cache)") << host;
    EXPECT_FALSE(e2e::exists(e2e::ieCookieFile(host))) << e2e::ieCookieFile(host) << " is still there";
  }
  // Firefox: the kept rows whole, and no byte of the others in the profile.
  EXPECT_EQ(e2e::firefoxCookieRows(s.firefoxCookies), kKeptFirefoxRows)
      << listing(e2e::firefoxCookieRows(s.firefoxCookies));
  for (const char* text : kGoneFirefoxText)
    for (const std::string& path : filesHolding(s.firefoxProfile, text))
      ADD_FAILURE() << text << " can still be read in " << path;
  // Opera: the file as it was, less the look-alikes' cookie records.
  EXPECT_TRUE(e2e::readFile(s.operaCookies) == operaFile(false))
      << s.operaCookies << " is not the file less the cookies of badexample.com and example.com.evil";
  EXPECT_EQ(linesOf(e2e::readFile(s.keptSites)), std::vector<std::string>{kSite});
}

// The list of kept sites cannot be read (a folder has its name): no cookie can be told kept,
// so the page warns that nothing is kept or removed, and each cookie item removes nothing and
// says why in place of "Done...". A folder must not read as no list, which keeps nothing.
TEST_F(CookieSites, AnUnreadableListOfKeptSitesKeepsEveryCookieAndNoItemSaysDone) {
  ASSERT_TRUE(CreateDirectoryA(s.keptSites.c_str(), nullptr)) << s.keptSites;

  Program program;
  ASSERT_TRUE(program.start(exePath));
  if (pressViewSites(program)) {
    HWND label = program.control("lblSites");
    std::string said;
    EXPECT_TRUE(e2e::waitUntil([&] {
      said = windowText(label);
      return said.rfind("Nothing is kept or removed", 0) == 0;
    })) << "the page warns that nothing is kept or removed; it says \"" << said << "\"";
  }
  std::vector<std::string> lines;
  const bool ran = runCookieItems(program, &lines);
  program.terminate();
  if (ran) {
    std::vector<std::string> expected = e2e::runLines(kItemLines);
    expected[3 * 1 + 2] = " ";
    for (size_t item = 0; item < kItemLines.size() && 3 * item + 1 < lines.size(); ++item) {
      const std::string& closing = lines[3 * item + 1];
      EXPECT_EQ(closing.rfind("Failed: ", 0), 0u) << kItemLines[item] << " closes with \"" << closing << "\"";
      expected[3 * item + 1] = closing;  // its own words on why
    }
    e2e::expectLines("the list after the run", expected, lines);
  }

  for (const std::string& host : allIEHosts()) EXPECT_EQ(e2e::cachedIECookie(host), ieCookieText(host)) << host;
  std::vector<std::string> allRows = kKeptFirefoxRows;
  allRows.insert(allRows.end(), {"3|badexample.com|track|fx-track-77a0|badexample.com|/|1900000000|"
                                 "1480000000000003|1480000000000003|0|0",
                                 "4|com.evil|steal|fx-steal-5e11|example.com.evil|/|1900000000|"
                                 "1480000000000004|1480000000000004|0|0"});
  EXPECT_EQ(e2e::firefoxCookieRows(s.firefoxCookies), allRows);
  EXPECT_TRUE(e2e::readFile(s.operaCookies) == operaFile(true)) << s.operaCookies << " changed";
  EXPECT_EQ(GetFileAttributesA(s.keptSites.c_str()), DWORD{FILE_ATTRIBUTE_DIRECTORY}) << s.keptSites;
}

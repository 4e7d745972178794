// End-to-end case on the real program: cookies marked in the cookie viewer are written to
// "cookies.inf" when the program closes and are spared by the next run's "Clean Cookies";
// the same run erases the typed addresses, the stored form passwords, the Search Assistant
// 5604 list and Outlook Express' deleted items, switches AutoComplete off, and leaves
// alone what lies beside each of them. Wine's URL history store answers E_NOTIMPL and it
// has no Protected Storage, so the Internet History and AutoComplete form items are not
// run here.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "DriverSupport.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::Program;
using e2e::keyExists;
using e2e::listing;
using e2e::readString;
using e2e::setString;
using e2e::writeFile;

const char* const kIE = "Software\\Microsoft\\Internet Explorer";
const char* const kTypedURLs = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
const char* const kIntelliForms = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
const char* const kSearch5604 = "Software\\Microsoft\\Search Assistant\\ACMru\\5604";
const char* const kSearch5603 = "Software\\Microsoft\\Search Assistant\\ACMru\\5603";
const char* const kIEMain = "Software\\Microsoft\\Internet Explorer\\Main";
const char* const kAutoComplete = "Software\\Microsoft\\Explorer\\AutoComplete";
const char* const kIdentity = "{4F1E7A22-6E0B-4C43-9C1D-0E2B5A9D1C11}";

// The cookies the cache holds; the second and the fourth are marked to be kept.
const char* const kCookies[] = {"Cookie:root@alpha.example/", "Cookie:root@bravo.example/",
                                "Cookie:root@charlie.example/", "Cookie:root@delta.example/"};
const bool kKept[] = {false, true, false, true};

// The IE items run here, by tick index, with their first lines in catalogue order.
struct Item {
  int index;
  const char* line;
};
const Item kItems[] = {{0, "Cleaning Location Bar History..."},
                       {3, "Cleaning AutoComplete Password Data..."},
                       {5, "Cleaning URL Error Logs..."},
                       {7, "Cleaning  Outlook Express Deleted Items..."},
                       {8, "Cleaning Cookies..."},
                       {9, "Disabling AutoComplete..."}};

using e2e::exists;

// Control characters shown, so that a CR LF difference reads in a failure.
std::string visible(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return out;
}

std::string folderOf(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path))) return {};
  return path;
}

// A cache entry as Windows stores it: the cookie entries carry both type bits and a file.
bool commitEntry(const std::string& name, const std::string& file, DWORD type) {
  if (!writeFile(file, name + "\nvalue\n")) return false;
  FILETIME never = {};
  return CommitUrlCacheEntryA(name.c_str(), file.c_str(), never, never, type, nullptr, 0, nullptr, nullptr) != FALSE;
}

bool inCache(const std::string& name) {
  DWORD size = 0;
  if (GetUrlCacheEntryInfoA(name.c_str(), nullptr, &size)) return true;
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

struct ChildSearch {
  const char* className;
  const char* text;   // null: any text
  DWORD style;        // 0: any style
  HWND found;
};

BOOL CALLBACK findChild(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  char cls[64] = {}, text[256] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, search->className) != 0) return TRUE;
  if (search->style && (GetWindowLongA(hwnd, GWL_STYLE) & search->style) != search->style) return TRUE;
  if (search->text) {
    GetWindowTextA(hwnd, text, sizeof text);
    if (std::string(text) != search->text) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

// The cookie viewer's controls carry no listed id: found by their caption and style.
HWND childOf(HWND main, const char* className, const char* text, DWORD style) {
  ChildSearch search{className, text, style, nullptr};
  EnumChildWindows(main, findChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool tickOnlyIE(const Program& program) {
  std::vector<int> indices;
  for (const Item& item : kItems) indices.push_back(item.index);
  return e2e::tickOnly(program, "chkIEsettings", indices);
}

}  // namespace

TEST(IEItems, MarkedCookiesAreKeptAcrossARestartAndTheIEItemsEraseTheirTargetsOnly) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  ASSERT_EQ(FindWindowA(nullptr, e2e::kCaption), nullptr) << "another Quellery is running";
  const std::string keepList = exePath.substr(0, exePath.find_last_of('\\') + 1) + "cookies.inf";
  DeleteFileA(keepList.c_str());

  // --- the cache: four cookies, and a page entry that is no cookie
  const std::string cookieFolder = folderOf(CSIDL_COOKIES);
  ASSERT_FALSE(cookieFolder.empty());
  for (int i = 0; i < 4; ++i) {
    const std::string file = cookieFolder + "\\root@cookie" + std::to_string(i) + "[1].txt";
    ASSERT_TRUE(commitEntry(kCookies[i], file, COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY))
        << kCookies[i] << " error " << GetLastError();
    ASSERT_TRUE(inCache(kCookies[i])) << kCookies[i];
  }
  const char* const kPage = "http://canary.example/index.html";
  char pageFile[MAX_PATH] = {};
  ASSERT_TRUE(CreateUrlCacheEntryA(kPage, 0, "html", pageFile, 0)) << "error " << GetLastError();
  ASSERT_TRUE(commitEntry(kPage, pageFile, NORMAL_CACHE_ENTRY)) << "error " << GetLastError();

  // --- the registry, with a canary beside every target
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kTypedURLs, "url1", "http://secret.example/"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kTypedURLs, "url2", "http://other.example/"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kIntelliForms, "FormData", "secret"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, std::string(kIntelliForms) + "\\SPW", "site", "password"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kSearch5604, "0", "typo.example"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kSearch5604, "1", "missing.example"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kSearch5603, "0", "stays"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kIE, "QuelleryCanary", "stays"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, std::string(kIE) + "\\TypedURLs Canary", "url1", "stays"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kIEMain, "Start Page", "about:blank"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kIEMain, "Use FormSuggest", "yes"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kAutoComplete, "Use AutoComplete", "yes"));

  // --- Outlook Express: the default identity's store folder
  const std::string store = folderOf(CSIDL_APPDATA) + "\\qe2e Outlook Express";
  CreateDirectoryA(store.c_str(), nullptr);
  ASSERT_TRUE(writeFile(store + "\\Deleted Items.dbx", "deleted mail"));
  ASSERT_TRUE(writeFile(store + "\\Inbox.dbx", "stays"));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, "Identities", "Default User ID", kIdentity));
  ASSERT_TRUE(setString(HKEY_CURRENT_USER,
                        std::string("Identities\\") + kIdentity + "\\Software\\Microsoft\\Outlook Express\\5.0",
                        "Store Root", store));

  // --- first start: list the cookies, mark two, close
  {
    Program program;
    ASSERT_TRUE(program.start(exePath));
    program.showPage("IE");  // the cookie list lies on the IE page
    HWND view = childOf(program.main, "Button", "View Cookies", 0);
    HWND cookies = childOf(program.main, "ListBox", nullptr, LBS_MULTIPLESEL);
    if (!view || !cookies) {
      ADD_FAILURE() << "View Cookies button " << view << ", cookie list " << cookies;
      program.terminate();
      return;
    }
    PostMessageA(view, BM_CLICK, 0, 0);  // its handler pumps events while it reads the cache
    std::vector<std::string> shown;
    const bool listed = e2e::waitUntil([&] {
      std::vector<std::string> now;
      if (!e2e::listLines(cookies, &now)) return false;
      shown = now;
      return now.size() >= 4;
    });
    std::vector<std::string> sorted = shown, expected(std::begin(kCookies), std::end(kCookies));
    std::sort(sorted.begin(), sorted.end());
    if (!listed || sorted != expected) {
      ADD_FAILURE() << "the cookie list shows the four cookies, and only them:\n" << listing(shown);
      program.terminate();
      return;
    }
    // Marked by plain clicks, as a user marks them: each click marks one cookie more and
    // leaves the marks made before.
    const int rowHeight = static_cast<int>(SendMessageA(cookies, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageA(cookies, LB_GETTOPINDEX, 0, 0));
    std::string kept;
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
      const auto at = std::find(std::begin(kCookies), std::end(kCookies), shown[i]) - std::begin(kCookies);
      if (!kKept[at]) continue;
      const LPARAM point = MAKELPARAM(8, (i - top) * rowHeight + rowHeight / 2);
      PostMessageA(cookies, WM_LBUTTONDOWN, MK_LBUTTON, point);
      PostMessageA(cookies, WM_LBUTTONUP, 0, point);
      program.settle();
      kept += shown[i] + "\r\n";
    }
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
      const auto at = std::find(std::begin(kCookies), std::end(kCookies), shown[i]) - std::begin(kCookies);
      EXPECT_EQ(kKept[at], SendMessageA(cookies, LB_GETSEL, i, 0) > 0) << shown[i] << " after the clicks";
    }
    program.settle();
    program.close();
    EXPECT_EQ(visible(kept + "\r\n"), visible(e2e::readFile(keepList))) << keepList;
  }

  // --- second start: the IE items run with Clean Cookies ticked right after start
  Program program;
  ASSERT_TRUE(program.start(exePath));
  if (!tickOnlyIE(program)) {
    program.terminate();
    DeleteFileA(keepList.c_str());
    return;
  }
  std::vector<std::string> lines;
  const bool ended = e2e::runToEnd(program, &lines);
  program.terminate();
  EXPECT_TRUE(ended) << "the run did not end within " << e2e::kRunDeadlineMs / 1000 << " s\n" << listing(lines);

  std::vector<std::string> itemLines;
  for (const Item& item : kItems) itemLines.push_back(item.line);
  const std::vector<std::string> expected = e2e::runLines(itemLines);
  EXPECT_EQ(expected, lines) << listing(lines);

  // --- cookies: the marked ones stay, the others are gone; the page entry is no cookie
  for (int i = 0; i < 4; ++i) EXPECT_EQ(kKept[i], inCache(kCookies[i])) << kCookies[i];
  EXPECT_TRUE(inCache(kPage)) << kPage;

  // --- the registry
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, kTypedURLs));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, kIntelliForms));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, kSearch5604));
  EXPECT_EQ("stays", readString(HKEY_CURRENT_USER, kSearch5603, "0"));
  EXPECT_EQ("stays", readString(HKEY_CURRENT_USER, kIE, "QuelleryCanary"));
  EXPECT_EQ("stays", readString(HKEY_CURRENT_USER, std::string(kIE) + "\\TypedURLs Canary", "url1"));
  EXPECT_EQ("about:blank", readString(HKEY_CURRENT_USER, kIEMain, "Start Page"));
  EXPECT_EQ("no", readString(HKEY_CURRENT_USER, kIEMain, "Use FormSuggest"));
  EXPECT_EQ("no", readString(HKEY_CURRENT_USER, kAutoComplete, "Use AutoComplete"));

  // --- Outlook Express
  EXPECT_FALSE(exists(store + "\\Deleted Items.dbx"));
  EXPECT_TRUE(exists(store + "\\Inbox.dbx"));

  // What this case leaves behind.
  DeleteFileA(keepList.c_str());
  for (int i = 0; i < 4; ++i) DeleteUrlCacheEntryA(kCookies[i]);
  DeleteUrlCacheEntryA(kPage);
  SHDeleteKeyA(HKEY_CURRENT_USER, kSearch5603);
  SHDeleteKeyA(HKEY_CURRENT_USER, (std::string(kIE) + "\\TypedURLs Canary").c_str());
  SHDeleteValueA(HKEY_CURRENT_USER, kIE, "QuelleryCanary");
  DeleteFileA((store + "\\Inbox.dbx").c_str());
  RemoveDirectoryA(store.c_str());
}

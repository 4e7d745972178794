// End-to-end cases on the real program: ticks and the tree state survive a restart, and
// the settings tree switches every page. The program is driven from outside, as a user
// would: clicks, key presses and the close box; values are read back from its windows
// and from the registry it wrote.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "DriverSupport.h"
#include "Seeding.h"

namespace {

using e2e::deleteKeyTree;
using e2e::expectEq;
using e2e::fail;
using e2e::kCaption;
using e2e::Program;
using e2e::programPath;
using e2e::screenshot;
using e2e::screenshotDir;
using e2e::waitUntil;

const char* const kSettingsKey = "Software\\Quellery\\Settings";

std::string storedSetting(const std::string& section, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kSettingsKey) + "\\" + section).c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return "(no key)";
  char data[256] = {};
  DWORD size = sizeof data - 1, type = 0;
  const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return "(missing)";
  return std::string(data, strnlen(data, size));
}

bool expanded(HWND tree, HTREEITEM item) {
  return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

const char* boolText(bool value) { return value ? "True" : "False"; }

struct Tick {
  const char* array;
  int index;
};

// Items on all four pages, and one start-up tick.
const Tick kTicked[] = {{"chkWinSettings", 0}, {"chkWinSettings", 7}, {"chkIEsettings", 4}, {"chkIEsettings", 9},
                        {"chkNSsettings", 1},  {"chkOPsettings", 2},  {"chkRun", 2}};
const Tick kUnticked[] = {{"chkWinSettings", 1}, {"chkIEsettings", 0}, {"chkNSsettings", 5}, {"chkOPsettings", 0},
                          {"chkRun", 3}};

std::string tickName(const Tick& t) { return std::string(t.array) + std::to_string(t.index); }

}  // namespace

TEST(Persistence, TicksAndTheTreeStateSurviveClosingAndStartingAgain) {
  const std::string exePath = programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  ASSERT_EQ(FindWindowA(nullptr, kCaption), nullptr) << "another Quellery is running";
  deleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);  // a first start
  Program program;
  if (!program.start(exePath)) return;
  for (const Tick& t : kTicked) {
    HWND box = program.control(t.array, t.index);
    if (box) SendMessageA(box, BM_CLICK, 0, 0);
    if (box) expectEq("tick " + tickName(t), "1", std::to_string(SendMessageA(box, BM_GETCHECK, 0, 0)));
  }
  HWND tree = program.control("tvw1");
  auto nodes = program.nodes(tree);
  if (!nodes.count("Browser") || !nodes.count("Main Settings")) {
    fail("tree nodes", "Browser and Main Settings", std::to_string(nodes.size()) + " nodes");
    program.close();
    return;
  }
  expectEq("Browser expanded at first start", "True", boolText(expanded(tree, nodes["Browser"])));
  // Select the node and collapse it from the keyboard, as a user does.
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes["Browser"]));
  PostMessageA(tree, WM_KEYDOWN, VK_LEFT, 0);
  PostMessageA(tree, WM_KEYUP, VK_LEFT, 0xC0000001);
  if (!waitUntil([&] { return !expanded(tree, nodes["Browser"]); }))
    fail("Browser collapses", "False", "True");
  program.settle();
  program.close();

  for (const Tick& t : kTicked) expectEq("stored " + tickName(t), "1", storedSetting("LastHistory", tickName(t)));
  expectEq("stored Browser", "False", storedSetting("LastHistory", "Browser"));
  expectEq("stored Settings", "True", storedSetting("LastHistory", "Settings"));

  if (!program.start(exePath)) return;
  // The tree first: showing the pages of the ticks opens the branches above them.
  tree = program.control("tvw1");
  nodes = program.nodes(tree);
  expectEq("Browser after restart", "False", boolText(expanded(tree, nodes["Browser"])));
  expectEq("Main Settings after restart", "True", boolText(expanded(tree, nodes["Main Settings"])));
  expectEq("Main after restart", "True", boolText(expanded(tree, nodes["Main"])));
  for (const Tick& t : kTicked)
    if (HWND box = program.control(t.array, t.index))
      expectEq("restored " + tickName(t), "1", std::to_string(SendMessageA(box, BM_GETCHECK, 0, 0)));
  for (const Tick& t : kUnticked)
    if (HWND box = program.control(t.array, t.index))
      expectEq("restored " + tickName(t), "0", std::to_string(SendMessageA(box, BM_GETCHECK, 0, 0)));
  program.close();
}

TEST(Persistence, EveryTreeNodeBringsItsPageForward) {
  const std::string exePath = programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  ASSERT_EQ(FindWindowA(nullptr, kCaption), nullptr) << "another Quellery is running";
  const std::string pictures = screenshotDir(exePath);
  struct Row {
    const char* node;
    const char* page;
    const char* status;
    const char* picture;  // file name; empty when the page was pictured already
  };
  // Each row selects a node other than the one before it, so every row is a fresh click.
  const Row rows[] = {
      {"Main", "fraCleaning", "Welcome To Quellery", "page-cleaning"},
      {"Main Settings", "fraWindows", "Displaying  Windows Settings....", ""},
      {"Windows", "fraWindows", "Displaying Windows Settings....", "page-windows"},
      {"Browser", "fraIE", "Displaying IE Settings....", ""},
      {"IE", "fraIE", "Displaying IE Settings....", "page-ie"},
      {"Netscape", "fraNetscape", "Displaying Netscape Settings....", "page-netscape"},
      {"Opera", "fraOpera", "Displaying Opera Settings....", "page-opera"},
      {"Firefox", "fraFirefox", "Displaying Firefox Settings....", "page-firefox"},
      {"Chrome", "fraChrome", "Displaying Chrome Settings....", "page-chrome"},
      {"Safari", "fraSafari", "Displaying Safari Settings....", "page-safari"},
      {"Shredder", "fraCustomItems", "Displaying Shredder", "page-shredder"},
      {"Advance Settings", "FraSchedule", "Displaying Schedule Settings....", ""},
      {"Schedule", "FraSchedule", "Displaying Schedule Settings....", "page-schedule"},
      {"Run Settings", "fraRun", "Displaying Start Up Run Settings....", "page-run"},
      {"Upgrade", "fraUpgrade", "Displaying Upgrade Settings....", "page-upgrade"},
      {"Help", "fraHelp", "Displaying Help Information....", "page-help"},
      {"Hardware Info", "fraHardware", "Displaying Hardware Information....", "page-hardware"},
      {"Applications", "fraApplications", "Displaying Applications Settings....", "page-applications"},
  };
  static const char* const kPages[] = {"fraCleaning", "fraWindows",  "fraIE",          "fraNetscape", "fraOpera",
                                       "fraFirefox",  "fraChrome",   "fraSafari",      "fraCustomItems",
                                       "FraSchedule", "fraRun",      "fraUpgrade",     "fraHardware", "fraHelp",
                                       "fraApplications"};
  CreateDirectoryA(pictures.c_str(), nullptr);
  Program program;
  if (!program.start(exePath)) return;
  HWND tree = program.control("tvw1");
  auto nodes = program.nodes(tree);
  for (const Row& row : rows) {
    if (!nodes.count(row.node)) {
      fail(std::string("node ") + row.node, "present", "missing");
      continue;
    }
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes[row.node]));
    HWND page = program.control(row.page);
    const bool shown = waitUntil([&] { return page && IsWindowVisible(page) && program.panelText(2) == row.status; }, 5000);
    if (!shown) {
      expectEq(std::string("panel 2 after ") + row.node, row.status, program.panelText(2));
      if (page && !IsWindowVisible(page)) fail(std::string("page after ") + row.node, row.page, "hidden");
    }
    // The page in front is the only one shown.
    for (const char* other : kPages)
      if (std::string(other) != row.page)
        if (HWND hwnd = program.control(other); hwnd && IsWindowVisible(hwnd))
          fail(std::string("only ") + row.page + " shown after " + row.node, "hidden", std::string(other) + " visible");
    if (*row.picture) {
      program.settle();
      screenshot(program.main, pictures + "\\" + row.picture + ".bmp");
    }
  }
  program.close();
}


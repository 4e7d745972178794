// End-to-end cases on the real program: ticks and the tree state survive a restart, and
// the settings tree switches every page. The program is driven from outside, as a user
// would: clicks, key presses and the close box; values are read back from its windows
// and from the registry it wrote.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "platform/win32/ControlIds.h"

namespace {

using platform::win32::controlId;

const char* const kCaption = "Quellery v1.0";
const char* const kSettingsKey = "Software\\Quellery\\Settings";
const DWORD kDeadlineMs = 20000;

void fail(const std::string& what, const std::string& expected, const std::string& actual) {
  ADD_FAILURE() << what << "\n  expected: [" << expected << "]\n  actual:   [" << actual << "]";
}

// The driver is started with the Windows path of Quellery.exe as its argument.
std::string programPath() {
  for (int i = __argc - 1; i > 0; --i)
    if (std::string(__argv[i]).rfind("--", 0) != 0) return __argv[i];
  return {};
}

// Pictures go to SCREENSHOT_DIR when set, else to "screenshots" beside the build folder
// of the program (build\screenshots for build\win32\Quellery.exe).
std::string screenshotDir(const std::string& exePath) {
  if (const char* dir = std::getenv("SCREENSHOT_DIR"); dir && *dir) return dir;
  const std::string folder = exePath.substr(0, exePath.find_last_of('\\'));
  return folder.substr(0, folder.find_last_of('\\')) + "\\screenshots";
}

void expectEq(const std::string& what, const std::string& expected, const std::string& actual) {
  if (expected != actual) fail(what, expected, actual);
}

// Polls until `done` holds or the deadline passes.
bool waitUntil(const std::function<bool()>& done, DWORD ms = kDeadlineMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
  return true;
}

// Deletes a key with everything below it.
void deleteKeyTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS) deleteKeyTree(key, name);
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}

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

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK findById(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(hwnd) != search->id) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// The running program, seen from outside.
struct Program {
  PROCESS_INFORMATION process = {};
  HWND main = nullptr;

  bool start(const std::string& exePath) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + exePath + "\"";
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      fail("start " + exePath, "a running program", "CreateProcess error " + std::to_string(GetLastError()));
      return false;
    }
    if (!waitUntil([&] {
          main = FindWindowA(nullptr, kCaption);
          return main && IsWindowVisible(main);
        })) {
      fail("main window after start", kCaption, "no visible window");
      return false;
    }
    return true;
  }

  // The close box: the program saves its choices and ends.
  bool close() {
    PostMessageA(main, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, kDeadlineMs) == WAIT_OBJECT_0;
    if (!ended) {
      fail("program ends after the close box", "ended", "still running");
      TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    process = {};
    main = nullptr;
    return ended;
  }

  HWND control(const char* name, int index = -1) const {
    ControlSearch search{controlId(name, index), nullptr};
    EnumChildWindows(main, findById, reinterpret_cast<LPARAM>(&search));
    if (!search.found) fail(std::string("find control ") + name + "(" + std::to_string(index) + ")", "a window", "none");
    return search.found;
  }

  // Text that a common control writes into memory of its own process.
  std::string remoteText(HWND hwnd, UINT msg, WPARAM wParam) const {
    void* buffer = VirtualAllocEx(process.hProcess, nullptr, 1024, MEM_COMMIT, PAGE_READWRITE);
    if (!buffer) return "(no memory)";
    static const char zeros[1024] = {};
    WriteProcessMemory(process.hProcess, buffer, zeros, sizeof zeros, nullptr);
    SendMessageA(hwnd, msg, wParam, reinterpret_cast<LPARAM>(buffer));
    char text[1024] = {};
    ReadProcessMemory(process.hProcess, buffer, text, sizeof text - 1, nullptr);
    VirtualFreeEx(process.hProcess, buffer, 0, MEM_RELEASE);
    return text;
  }

  std::string panelText(int panel) const { return remoteText(control("stBar"), SB_GETTEXTA, panel - 1); }

  std::string nodeText(HWND tree, HTREEITEM item) const {
    const SIZE_T textOffset = sizeof(TVITEMA);
    char* block = static_cast<char*>(VirtualAllocEx(process.hProcess, nullptr, textOffset + 256, MEM_COMMIT, PAGE_READWRITE));
    if (!block) return "(no memory)";
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = block + textOffset;
    query.cchTextMax = 255;
    WriteProcessMemory(process.hProcess, block, &query, sizeof query, nullptr);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block));
    char text[256] = {};
    ReadProcessMemory(process.hProcess, block + textOffset, text, sizeof text - 1, nullptr);
    VirtualFreeEx(process.hProcess, block, 0, MEM_RELEASE);
    return text;
  }

  // Every node of the tree by its text.
  std::map<std::string, HTREEITEM> nodes(HWND tree) const {
    std::map<std::string, HTREEITEM> out;
    std::function<void(HTREEITEM)> walk = [&](HTREEITEM item) {
      for (; item; item = reinterpret_cast<HTREEITEM>(
                       SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        out[nodeText(tree, item)] = item;
        walk(reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))));
      }
    };
    walk(reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
    return out;
  }

  // Lets the program finish what the last message started, its painting included.
  void settle() const {
    DWORD_PTR ignored = 0;
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
  }
};

bool expanded(HWND tree, HTREEITEM item) {
  return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

const char* boolText(bool value) { return value ? "True" : "False"; }

// The window as it is on screen, as a 24-bit BMP file.
void screenshot(HWND window, const std::string& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = (width * 3 + 3) & ~3u, imageBytes = rowBytes * height;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + imageBytes;
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &header, sizeof header, &written, nullptr);
    WriteFile(out, bits, imageBytes, &written, nullptr);
    CloseHandle(out);
  } else {
    fail("write " + path, "a file", "error " + std::to_string(GetLastError()));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

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
  for (const Tick& t : kTicked)
    if (HWND box = program.control(t.array, t.index))
      expectEq("restored " + tickName(t), "1", std::to_string(SendMessageA(box, BM_GETCHECK, 0, 0)));
  for (const Tick& t : kUnticked)
    if (HWND box = program.control(t.array, t.index))
      expectEq("restored " + tickName(t), "0", std::to_string(SendMessageA(box, BM_GETCHECK, 0, 0)));
  tree = program.control("tvw1");
  nodes = program.nodes(tree);
  expectEq("Browser after restart", "False", boolText(expanded(tree, nodes["Browser"])));
  expectEq("Main Settings after restart", "True", boolText(expanded(tree, nodes["Main Settings"])));
  expectEq("Main after restart", "True", boolText(expanded(tree, nodes["Main"])));
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
      {"Shredder", "fraCustomItems", "Displaying Shredder", "page-shredder"},
      {"Advance Settings", "FraSchedule", "Displaying Schedule Settings....", ""},
      {"Schedule", "FraSchedule", "Displaying Schedule Settings....", "page-schedule"},
      {"Run Settings", "fraRun", "Displaying Start Up Run Settings....", "page-run"},
      {"Upgrade", "fraUpgrade", "Displaying Upgrade Settings....", "page-upgrade"},
      {"Help", "fraHelp", "Displaying Help Information....", "page-help"},
      {"Hardware Info", "fraHardware", "Displaying Hardware Information....", "page-hardware"},
  };
  static const char* const kPages[] = {"fraCleaning", "fraWindows", "fraIE",       "fraNetscape",
                                       "fraOpera",    "fraCustomItems", "FraSchedule", "fraRun",
                                       "fraUpgrade",  "fraHardware", "fraHelp"};
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


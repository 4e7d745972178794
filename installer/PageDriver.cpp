// Steers the installer's pages from another process, as a user would, for
// installer/test-installer.sh. One action per run:
//   page CAPTION [TEXT]     waits until a window CAPTION shows TEXT, then prints what it shows
//   click CAPTION TEXT      clicks the button (or ticks the list item) reading TEXT
//   type CAPTION TEXT       puts TEXT into the window's one visible edit box
//   closed CAPTION          waits until no window CAPTION is left, hidden ones included
//   hold CLASS CAPTION FILE shows a window of that class that will not close, until FILE exists
//   version FILE            prints a program's version resource
// Texts are compared without their '&' shortcut marks. Only enabled windows count,
// so a message box is found, not the page it blocks. Exit code 0 when done.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr DWORD kDeadlineMs = 30000;

std::string withoutMarks(std::string text) {
  std::string out;
  for (char c : text)
    if (c != '&') out += c;
  return out;
}

std::string textOf(HWND hwnd) {
  char text[1024] = {};
  DWORD_PTR ignored = 0;
  // A busy installer must not hang the driver.
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &ignored);
  return text;
}

std::string classOf(HWND hwnd) {
  char name[128] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

struct TopSearch {
  std::string caption;
  bool hiddenToo;
  std::vector<HWND> found;
};

BOOL CALLBACK collectTop(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TopSearch*>(param);
  const bool counts = search->hiddenToo || (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd));
  // The installer puts a blank after its caption on some pages.
  std::string caption = textOf(hwnd);
  while (!caption.empty() && caption.back() == ' ') caption.pop_back();
  if (counts && caption == search->caption) search->found.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> windowsTitled(const std::string& caption, bool hiddenToo = false) {
  TopSearch search{caption, hiddenToo, {}};
  EnumWindows(collectTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool waitUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > kDeadlineMs) return false;
    Sleep(100);
  }
  return true;
}

BOOL CALLBACK collectChild(HWND hwnd, LPARAM param) {
  if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> visibleChildren(HWND top) {
  std::vector<HWND> children;
  EnumChildWindows(top, collectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

// One item of a list with ticks, as the installer's components page draws it.
struct TreeItem {
  HTREEITEM handle;
  std::string text;
  bool ticked;
};

// The tree's items: their texts live in the installer's memory, read through a
// block lent there.
std::vector<TreeItem> treeItems(HWND tree) {
  std::vector<TreeItem> items;
  DWORD pid = 0;
  GetWindowThreadProcessId(tree, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return items;
  const SIZE_T textAt = sizeof(TVITEMA), textSize = 256;
  char* block = static_cast<char*>(VirtualAllocEx(process, nullptr, textAt + textSize, MEM_COMMIT, PAGE_READWRITE));
  for (auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); block && item;
       item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    TVITEMA query = {};
    query.mask = TVIF_TEXT | TVIF_STATE;
    query.stateMask = TVIS_STATEIMAGEMASK;
    query.hItem = item;
    query.pszText = block + textAt;
    query.cchTextMax = textSize - 1;
    char text[256] = {};
    WriteProcessMemory(process, block, &query, sizeof query, nullptr);
    WriteProcessMemory(process, block + textAt, text, sizeof text, nullptr);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block));
    ReadProcessMemory(process, block, &query, sizeof query, nullptr);
    ReadProcessMemory(process, block + textAt, text, sizeof text - 1, nullptr);
    // The installer's tick pictures: 1 empty, 2 ticked, 3 partly; 4 to 6 the same, locked.
    const unsigned picture = (query.state & TVIS_STATEIMAGEMASK) >> 12;
    items.push_back({item, text, picture % 3 == 2});
  }
  if (block) VirtualFreeEx(process, block, 0, MEM_RELEASE);
  CloseHandle(process);
  return items;
}

bool isCheckBox(HWND hwnd) {
  const LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
  return classOf(hwnd) == "Button" && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX);
}

std::string tick(bool ticked) { return ticked ? "[x] " : "[ ] "; }

// What a window shows, a line per control: "Class|text", ticks as "[x] " or "[ ] ".
std::vector<std::string> shownLines(HWND top) {
  std::vector<std::string> lines;
  for (HWND child : visibleChildren(top)) {
    const std::string name = classOf(child);
    if (name == "SysTreeView32") {
      for (const TreeItem& item : treeItems(child)) lines.push_back(name + "|" + tick(item.ticked) + item.text);
      continue;
    }
    const std::string text = withoutMarks(textOf(child));
    if (isCheckBox(child))
      lines.push_back(name + "|" + tick(SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED) + text);
    else if (!text.empty())
      lines.push_back(name + "|" + text);
  }
  return lines;
}

// Whether a control of the window reads TEXT, or has it as one of its lines.
bool shows(HWND top, const std::string& text) {
  for (HWND child : visibleChildren(top)) {
    const std::string shown = withoutMarks(textOf(child));
    for (size_t start = 0; start <= shown.size();) {
      const size_t end = std::min(shown.find_first_of("\r\n", start), shown.size());
      if (shown.compare(start, end - start, text) == 0) return true;
      start = end + 1;
    }
  }
  return false;
}

bool waitFor(HWND* found, const std::string& caption, const std::string& text) {
  return waitUntil([&] {
    for (HWND top : windowsTitled(caption))
      if (text.empty() || shows(top, text)) {
        *found = top;
        return true;
      }
    return false;
  });
}

void printWindows(const std::string& caption) {
  for (HWND top : windowsTitled(caption)) {
    std::printf("window %s\n", caption.c_str());
    for (const std::string& line : shownLines(top)) std::printf("%s\n", line.c_str());
  }
}

int page(const std::string& caption, const std::string& text) {
  HWND top = nullptr;
  if (!waitFor(&top, caption, text)) {
    std::printf("no window \"%s\" showing \"%s\" within %lu ms; shown:\n", caption.c_str(), text.c_str(),
                kDeadlineMs);
    printWindows(caption);
    return 1;
  }
  // The X window, for a screenshot of just this window.
  std::printf("x11 %lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetPropA(top, "__wine_x11_whole_window"))));
  for (const std::string& line : shownLines(top)) std::printf("%s\n", line.c_str());
  return 0;
}

int click(const std::string& caption, const std::string& text) {
  HWND top = nullptr;
  if (!waitFor(&top, caption, "")) {
    std::printf("no window \"%s\" to click \"%s\" in\n", caption.c_str(), text.c_str());
    return 1;
  }
  for (HWND child : visibleChildren(top)) {
    if (classOf(child) == "SysTreeView32") {
      for (const TreeItem& item : treeItems(child)) {
        if (item.text != text) continue;
        // The components page ticks the selected item on the space bar.
        SendMessageA(child, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.handle));
        PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0);
        return 0;
      }
    } else if (classOf(child) == "Button" && IsWindowEnabled(child) && withoutMarks(textOf(child)) == text) {
      // Posted: a click that ends the installer or starts its work must not hold the driver.
      PostMessageA(child, BM_CLICK, 0, 0);
      return 0;
    }
  }
  std::printf("no enabled \"%s\" in window \"%s\"; shown:\n", text.c_str(), caption.c_str());
  printWindows(caption);
  return 1;
}

int type(const std::string& caption, const std::string& text) {
  HWND top = nullptr;
  if (!waitFor(&top, caption, "")) return 1;
  std::vector<HWND> edits;
  for (HWND child : visibleChildren(top))
    if (classOf(child) == "Edit") edits.push_back(child);
  if (edits.size() != 1) {
    std::printf("expected one edit box in \"%s\", found %u\n", caption.c_str(), static_cast<unsigned>(edits.size()));
    return 1;
  }
  SendMessageA(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return textOf(edits[0]) == text ? 0 : 1;
}

LRESULT CALLBACK stubbornProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) return 0;  // the point: it will not close
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int closed(const std::string& caption) {
  if (waitUntil([&] { return windowsTitled(caption, true).empty(); })) return 0;
  std::printf("a window \"%s\" is still there after %lu ms\n", caption.c_str(), kDeadlineMs);
  return 1;
}

int hold(const std::string& className, const std::string& caption, const std::string& stopFile) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = stubbornProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className.c_str();
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, className.c_str(), caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, wc.hInstance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  while (GetFileAttributesA(stopFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(50);
  }
  DestroyWindow(hwnd);
  return 0;
}

int version(const std::string& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  std::vector<char> info(size ? size : 1);
  if (!size || !GetFileVersionInfoA(file.c_str(), 0, size, info.data())) {
    std::printf("no version resource in %s\n", file.c_str());
    return 1;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
    std::printf("numbers|%u.%u.%u.%u\n", unsigned{HIWORD(fixed->dwProductVersionMS)},
                unsigned{LOWORD(fixed->dwProductVersionMS)}, unsigned{HIWORD(fixed->dwProductVersionLS)},
                unsigned{LOWORD(fixed->dwProductVersionLS)});
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof *translation)
    return 1;
  for (const char* key : {"ProductName", "CompanyName", "ProductVersion", "FileVersion"}) {
    char path[128];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->codePage,
                  key);
    char* value = nullptr;
    if (VerQueryValueA(info.data(), path, reinterpret_cast<void**>(&value), &length) && value)
      std::printf("%s|%s\n", key, value);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string action = argc > 1 ? argv[1] : "";
  const std::string first = argc > 2 ? argv[2] : "", second = argc > 3 ? argv[3] : "";
  if (action == "page" && argc >= 3) return page(first, second);
  if (action == "click" && argc == 4) return click(first, second);
  if (action == "type" && argc == 4) return type(first, second);
  if (action == "closed" && argc == 3) return closed(first);
  if (action == "hold" && argc == 5) return hold(first, second, argv[4]);
  if (action == "version" && argc == 3) return version(first);
  std::fprintf(stderr, "usage: page|click|type CAPTION [TEXT], closed CAPTION, hold CLASS CAPTION FILE, version FILE\n");
  return 2;
}

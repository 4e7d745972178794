#include "DriverSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>

#include "view/ControlIds.h"

namespace e2e {

const char* const kCaption = "Quellery v1.0";

void fail(const std::string& what, const std::string& expected, const std::string& actual) {
  ADD_FAILURE() << what << "\n  expected: [" << expected << "]\n  actual:   [" << actual << "]";
}

void expectEq(const std::string& what, const std::string& expected, const std::string& actual) {
  if (expected != actual) fail(what, expected, actual);
}

std::string programPath() {
  for (int i = __argc - 1; i > 0; --i)
    if (std::string(__argv[i]).rfind("--", 0) != 0) return __argv[i];
  return {};
}

std::string screenshotDir(const std::string& exePath) {
  if (const char* dir = std::getenv("SCREENSHOT_DIR"); dir && *dir) return dir;
  const std::string folder = exePath.substr(0, exePath.find_last_of('\\'));
  return folder.substr(0, folder.find_last_of('\\')) + "\\screenshots";
}

bool waitUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
  return true;
}

namespace {

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

struct CaptionSearch {
  std::string caption;
  DWORD pid;  // 0: any process
  std::vector<HWND> found;
};

std::string captionOf(HWND hwnd) {
  char text[256] = {};
  DWORD_PTR length = 0;
  // A hung window must not hang the driver.
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                           &length))
    GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

BOOL CALLBACK collectByCaption(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<CaptionSearch*>(param);
  if (search->pid) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid) return TRUE;
  }
  if (captionOf(hwnd) == search->caption) search->found.push_back(hwnd);
  return TRUE;
}

std::string narrow(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], size, nullptr, nullptr);
  return out;
}

}  // namespace

HWND findControl(HWND parent, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(parent, findById, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> topLevelWindows(const std::string& caption) {
  CaptionSearch search{caption, 0, {}};
  EnumWindows(collectByCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool pressKeysUntil(std::initializer_list<BYTE> keys, const std::function<bool()>& done, DWORD ms) {
  for (BYTE key : keys) keybd_event(key, 0, 0, 0);
  // Held as long as it takes: the program polls the keys on a timer, which Wine may delay.
  const bool happened = waitUntil(done, ms);
  std::vector<BYTE> up(keys);
  for (auto it = up.rbegin(); it != up.rend(); ++it) keybd_event(*it, 0, KEYEVENTF_KEYUP, 0);
  return happened;
}

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

Program::~Program() {
  if (process.hProcess) terminate();
}

bool Program::launch(const std::string& exePath) { return launchCommand("\"" + exePath + "\""); }

bool Program::launchCommand(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string command = commandLine;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    fail("start " + commandLine, "a running program", "CreateProcess error " + std::to_string(GetLastError()));
    process = {};
    return false;
  }
  return true;
}

bool Program::start(const std::string& exePath) {
  if (!launch(exePath)) return false;
  // The main window of this process, not of another one that happens to run.
  if (!waitUntil([&] {
        CaptionSearch search{kCaption, process.dwProcessId, {}};
        EnumWindows(collectByCaption, reinterpret_cast<LPARAM>(&search));
        for (HWND hwnd : search.found)
          if (IsWindowVisible(hwnd)) main = hwnd;
        return main != nullptr || !running();
      }) ||
      !main) {
    fail("main window after start", kCaption, running() ? "no visible window" : "the program ended");
    return false;
  }
  return true;
}

bool Program::running() const {
  return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::close() {
  PostMessageA(main, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process.hProcess, kDeadlineMs) == WAIT_OBJECT_0;
  if (!ended) {
    fail("program ends after the close box", "ended", "still running");
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kDeadlineMs);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  process = {};
  main = nullptr;
  return ended;
}

void Program::terminate() {
  if (!process.hProcess) return;
  TerminateProcess(process.hProcess, 1);
  // Its windows and its single-instance name go with the process.
  WaitForSingleObject(process.hProcess, kDeadlineMs);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  process = {};
  main = nullptr;
}

bool Program::showPage(const std::string& node) const {
  HWND tree = findControl(main, view::controlId("tvw1"));
  const auto all = nodes(tree);
  auto found = all.find(node);
  if (found == all.end()) return false;
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(found->second));
  return true;
}

HWND Program::showPageHolding(int id) const {
  // A page gets its windows when it is first shown; a user finds a control the same way,
  // page by page. The one shown before comes back to the front.
  static const char* const kPages[] = {"Windows",  "IE",      "Netscape",      "Opera", "Firefox",  "Chrome",
                                       "Safari",   "Run Settings", "Schedule", "Upgrade", "Hardware Info", "Help",
                                       "Shredder", "Applications"};
  HWND tree = findControl(main, view::controlId("tvw1"));
  if (!tree) return nullptr;
  const LPARAM before = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
  HWND found = nullptr;
  for (const char* page : kPages)
    if (showPage(page) && (found = findControl(main, id)) != nullptr) break;
  if (before)
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, before);
  else
    showPage("Main");
  return found;
}

HWND Program::control(const char* name, int index) const {
  const int id = view::controlId(name, index);
  HWND found = findControl(main, id);
  if (!found) found = showPageHolding(id);
  if (!found) fail(std::string("find control ") + name + "(" + std::to_string(index) + ")", "a window", "none");
  return found;
}

std::string Program::remoteText(HWND hwnd, UINT msg, WPARAM wParam) const {
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

std::string Program::panelText(int panel) const { return remoteText(control("stBar"), SB_GETTEXTA, panel - 1); }

std::string Program::nodeText(HWND tree, HTREEITEM item) const {
  const SIZE_T textOffset = sizeof(TVITEMA);
  char* block =
      static_cast<char*>(VirtualAllocEx(process.hProcess, nullptr, textOffset + 256, MEM_COMMIT, PAGE_READWRITE));
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

std::map<std::string, HTREEITEM> Program::nodes(HWND tree) const {
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

void Program::settle() const {
  DWORD_PTR ignored = 0;
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
}

bool listLines(HWND list, std::vector<std::string>* lines, UINT timeoutMs) {
  lines->clear();
  // Wide messages with a wide buffer: an ANSI LB_GETTEXT from another process comes
  // back as UTF-16 text and overruns a buffer sized by LB_GETTEXTLEN.
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, timeoutMs, &count)) return false;
  for (int i = 0; i < static_cast<int>(static_cast<LRESULT>(count)); ++i) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_NORMAL, timeoutMs, &length)) return false;
    if (static_cast<LRESULT>(length) == LB_ERR) return false;  // the list changed under us
    // Room to spare: the line may have been replaced by a longer one since.
    std::wstring text(static_cast<size_t>(length) + 4096, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, timeoutMs, &got))
      return false;
    if (static_cast<LRESULT>(got) == LB_ERR) return false;
    lines->push_back(narrow(text.c_str(), static_cast<int>(wcsnlen(text.c_str(), text.size()))));
  }
  return true;
}

}  // namespace e2e

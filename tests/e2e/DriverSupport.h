#pragma once
// What every end-to-end case needs to steer the real Quellery.exe from outside: start
// it, find its main window and controls, read its lists, tree, status bar and pages
// across the process boundary, and wait for it with a deadline.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace e2e {

extern const char* const kCaption;  // the main window's caption
constexpr DWORD kDeadlineMs = 20000;

// A gtest failure showing both values.
void fail(const std::string& what, const std::string& expected, const std::string& actual);
void expectEq(const std::string& what, const std::string& expected, const std::string& actual);

// The Windows path of Quellery.exe: the driver's last argument that is not an option.
std::string programPath();

// Pictures go to SCREENSHOT_DIR when set, else to "screenshots" beside the build folder
// of the program (build\screenshots for build\win64\Quellery.exe).
std::string screenshotDir(const std::string& exePath);

// Polls until `done` holds or the deadline passes, pumping the driver's own messages.
bool waitUntil(const std::function<bool()>& done, DWORD ms = kDeadlineMs);

// The child window of `parent` (at any depth) with the id, or null.
HWND findControl(HWND parent, int id);

// Every top-level window with this caption, hidden ones included.
std::vector<HWND> topLevelWindows(const std::string& caption);

// Keys down together through the system's input, held until `done` holds or `ms` have
// passed, then let go in reverse. Wine without a window manager may leave the program's
// key poll waiting while it maps or withdraws a window; a held key is seen at the next poll.
bool pressKeysUntil(std::initializer_list<BYTE> keys, const std::function<bool()>& done, DWORD ms);

// The window as it is on screen, as a 24-bit BMP file.
void screenshot(HWND window, const std::string& path);

// The running program, seen from outside.
struct Program {
  PROCESS_INFORMATION process = {};
  HWND main = nullptr;

  ~Program();

  // Starts the program and waits for its main window to show.
  bool start(const std::string& exePath);
  // Starts it without waiting for anything.
  bool launch(const std::string& exePath);
  // Starts it by a whole command line, the program's path and arguments, as Windows runs
  // a Run entry's command.
  bool launchCommand(const std::string& commandLine);
  bool running() const;
  // The close box: the program saves its choices and ends.
  bool close();
  // Ends the process at once; nothing is saved.
  void terminate();

  // The control with the id of `name` (element `index`), on whichever page holds it; a
  // failure when it is missing.
  HWND control(const char* name, int index = -1) const;
  // Selects the tree node of this text, which brings its page to the front.
  bool showPage(const std::string& node) const;

  // Text that a common control writes into memory of its own process.
  std::string remoteText(HWND hwnd, UINT msg, WPARAM wParam) const;
  // Status bar panel, counted from 1.
  std::string panelText(int panel) const;
  std::string nodeText(HWND tree, HTREEITEM item) const;
  // Every node of the tree by its text.
  std::map<std::string, HTREEITEM> nodes(HWND tree) const;

  // Shows page after page until one holds the control, then the page shown before.
  HWND showPageHolding(int id) const;
  // Lets the program finish what the last message started, its painting included.
  void settle() const;
};

// The lines of a list box in another process. False when the program did not answer
// within `timeoutMs` (it is busy); `lines` is then incomplete.
bool listLines(HWND list, std::vector<std::string>* lines, UINT timeoutMs = 5000);

}  // namespace e2e

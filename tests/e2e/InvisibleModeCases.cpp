// End-to-end cases of invisible mode, the panic key and shutdown cleaning on the real
// program. Keys are pressed as a user would, through the system's input (keybd_event),
// which the program polls; Windows' end of session is played by sending the main window
// the two messages Windows sends. Each case seeds the saved settings it needs and removes
// them again, so no later start is invisible. Nothing here asks Windows to restart.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverSupport.h"
#include "Seeding.h"
#include "view/ControlIds.h"

namespace {

using e2e::deleteKeyTree;
using e2e::kCaption;
using e2e::kLastHistory;
using e2e::kRunMRU;
using e2e::kSettings;
using e2e::listLines;
using e2e::listing;
using e2e::pressKeysUntil;
using e2e::Program;
using e2e::waitUntil;

const char kRunLine[] = "Cleaning Recent RUN History...";
const char kWindowsRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunEntry[] = "Quellery - 2.10";
const DWORD kRunDeadlineMs = 60000;

// The main window of a process, shown or not.
HWND mainWindowOf(DWORD pid) {
  for (HWND hwnd : e2e::topLevelWindows(kCaption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == pid) return hwnd;
  }
  return nullptr;
}

bool listHas(HWND list, const std::string& line, std::vector<std::string>* lines) {
  if (!listLines(list, lines)) return false;
  for (const std::string& l : *lines)
    if (l == line) return true;
  return false;
}

// Every case starts and ends without saved settings, and with a Run history to clean.
class InvisibleMode : public ::testing::Test {
 protected:
  void SetUp() override {
    deleteKeyTree(HKEY_CURRENT_USER, kSettings);
    ASSERT_TRUE(e2e::setString(HKEY_CURRENT_USER, kRunMRU, "a", "secret-command"));
    exePath = e2e::programPath();
    ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  }
  void TearDown() override {
    program.terminate();
    deleteKeyTree(HKEY_CURRENT_USER, kSettings);
    e2e::deleteValue(HKEY_LOCAL_MACHINE, kWindowsRunKey, kRunEntry);
  }
  void save(const char* name, const char* value) { e2e::setString(HKEY_CURRENT_USER, kLastHistory, name, value); }
  bool runHistoryCleaned() { return e2e::readString(HKEY_CURRENT_USER, kRunMRU, "a") == "(missing)"; }

  std::string exePath;
  Program program;
};

}  // namespace

TEST_F(InvisibleMode, CtrlHHidesTheProgramAndCtrlUBringsItBack) {
  ASSERT_TRUE(program.start(exePath));
  EXPECT_TRUE(pressKeysUntil({VK_CONTROL, 'H'}, [&] { return !IsWindowVisible(program.main); }, 12000))
      << "hidden after Ctrl+H";
  EXPECT_TRUE(program.running());
  // Without a window manager Wine waits about two seconds for a hidden window to be
  // withdrawn, and keys pressed and let go meanwhile go unseen; a user takes a breath too.
  program.settle();
  EXPECT_TRUE(pressKeysUntil({VK_CONTROL, 'U'}, [&] { return IsWindowVisible(program.main) != FALSE; }, 12000))
      << "shown after Ctrl+U";
  EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == program.main; }, 5000)) << "brought to the front";
}

TEST_F(InvisibleMode, CtrlF11ClosesInternetExplorerCleansAndEndsTheProgram) {
  save("chkWinSettings1", "1");
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "IEFrame";
  RegisterClassA(&wc);
  HWND browser = CreateWindowA("IEFrame", "Internet Explorer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(browser);
  ASSERT_TRUE(program.start(exePath));

  bool hidden = false;
  pressKeysUntil({VK_CONTROL, VK_F11}, [&] { return !IsWindowVisible(program.main) || !program.running(); },
                 kRunDeadlineMs);
  // The driver pumps its own messages meanwhile, so the browser window can act on its close.
  const bool ended = waitUntil(
      [&] {
        if (IsWindow(program.main) && !IsWindowVisible(program.main)) hidden = true;
        return !program.running();
      },
      kRunDeadlineMs);
  EXPECT_TRUE(ended) << "the program still runs " << kRunDeadlineMs / 1000 << " s after Ctrl+F11";
  EXPECT_TRUE(hidden) << "the window was hidden before the program ended";
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(browser); }, 5000)) << "the Internet Explorer window was closed";
  EXPECT_TRUE(runHistoryCleaned()) << "the ticked Run history item was cleaned";
  if (IsWindow(browser)) DestroyWindow(browser);
}

TEST_F(InvisibleMode, AnInvisibleStartCleansUnseenASecondStartEndsAndCtrlUShowsIt) {
  save("chk1", "1");
  save("chkRun0", "1");
  save("chkRun3", "1");
  save("chkWinSettings1", "1");
  ASSERT_TRUE(program.launch(exePath));
  HWND main = nullptr;
  bool everShown = false;
  std::vector<std::string> lines;
  const bool done = waitUntil(
      [&] {
        if (!main) main = mainWindowOf(program.process.dwProcessId);
        if (!main) return false;
        if (IsWindowVisible(main)) everShown = true;
        HWND list = e2e::findControl(main, view::controlId("lstClean"));
        return list && listHas(list, "Cleaning Is Done.", &lines);
      },
      kRunDeadlineMs);
  ASSERT_TRUE(main) << "no main window, shown or hidden";
  EXPECT_TRUE(done) << "the start-up run did not end\n" << listing(lines);
  EXPECT_FALSE(everShown) << "the window showed during an invisible start";
  EXPECT_TRUE(runHistoryCleaned());

  Program second;
  ASSERT_TRUE(second.launch(exePath));
  EXPECT_EQ(WaitForSingleObject(second.process.hProcess, e2e::kDeadlineMs), WAIT_OBJECT_0) << "the second start ends";
  second.terminate();
  EXPECT_EQ(e2e::topLevelWindows(kCaption).size(), 1u);
  EXPECT_FALSE(IsWindowVisible(main)) << "the first stays hidden";

  EXPECT_TRUE(pressKeysUntil({VK_CONTROL, 'U'}, [&] { return IsWindowVisible(main) != FALSE; }, 12000))
      << "shown after Ctrl+U";
}

TEST_F(InvisibleMode, WindowsEndingTheSessionCleansAndACancelledEndLeavesTheProgramRunning) {
  save("chkRun2", "1");
  save("chkWinSettings1", "1");
  ASSERT_TRUE(program.start(exePath));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(program.main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, kRunDeadlineMs, &answer))
      << "no answer to WM_QUERYENDSESSION";
  EXPECT_EQ(answer, 1u) << "the program lets the session end";
  std::vector<std::string> lines;
  EXPECT_TRUE(listHas(program.control("lstClean"), kRunLine, &lines)) << "no cleaning pass\n" << listing(lines);
  EXPECT_TRUE(runHistoryCleaned());

  SendMessageTimeoutA(program.main, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, e2e::kDeadlineMs, &answer);
  Sleep(500);
  EXPECT_TRUE(program.running()) << "a cancelled end of session ended the program";
  EXPECT_TRUE(IsWindowVisible(program.main));
  EXPECT_TRUE(SendMessageTimeoutA(program.main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) << "it answers";

  PostMessageA(program.main, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(WaitForSingleObject(program.process.hProcess, e2e::kDeadlineMs), WAIT_OBJECT_0)
      << "the program still runs after the session ended";
  EXPECT_EQ(e2e::readString(HKEY_CURRENT_USER, kLastHistory, "chkRun2"), "1") << "selections saved on the way out";
}

// Windows runs the Run entry's command as the program stored it, at every logon.
TEST_F(InvisibleMode, TheRunEntryTheProgramWroteStartsItAndAnInvisibleStartShowsOnCtrlU) {
  ASSERT_TRUE(program.start(exePath));
  program.showPage("Run Settings");
  SendMessageA(program.control("chkRun", 1), BM_CLICK, 0, 0);
  ASSERT_TRUE(program.close());
  const std::string command = e2e::readString(HKEY_LOCAL_MACHINE, kWindowsRunKey, kRunEntry);
  ASSERT_NE(command, "(missing)") << "no Run entry after ticking Run During Windows Start Up";

  Program atLogon;
  ASSERT_TRUE(atLogon.launchCommand(command));
  HWND main = nullptr;
  EXPECT_TRUE(waitUntil([&] { return (main = mainWindowOf(atLogon.process.dwProcessId)) && IsWindowVisible(main); }))
      << "no main window from the Run entry's command: " << command;
  atLogon.main = main;
  program.terminate();

  // Now ticked to start invisibly: the same command starts it hidden, and Ctrl+U shows it.
  atLogon.showPage("Run Settings");
  SendMessageA(atLogon.control("Check1"), BM_CLICK, 0, 0);
  SendMessageA(atLogon.control("chkRun", 0), BM_CLICK, 0, 0);
  ASSERT_TRUE(atLogon.close());
  ASSERT_EQ(e2e::readString(HKEY_LOCAL_MACHINE, kWindowsRunKey, kRunEntry), command) << "the entry stays as it was";
  ASSERT_TRUE(program.launchCommand(command));
  EXPECT_TRUE(waitUntil([&] { return (main = mainWindowOf(program.process.dwProcessId)) != nullptr; }))
      << "no main window, shown or hidden";
  // Start-up has ended once the program first waits for input.
  WaitForInputIdle(program.process.hProcess, e2e::kDeadlineMs);
  EXPECT_FALSE(main && IsWindowVisible(main)) << "shown at an invisible start";
  EXPECT_TRUE(pressKeysUntil({VK_CONTROL, 'U'}, [&] { return main && IsWindowVisible(main); }, 12000))
      << "shown after Ctrl+U";
}

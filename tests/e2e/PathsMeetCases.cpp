// End-to-end cases where two paths of the real program meet: Windows ending the session
// during a scheduled run, a scheduled sweep of a program that was never shown, the hot keys
// with the customisation window open, and the panic key during a run. Each case seeds the
// saved settings it needs and removes them again.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverSupport.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::kCaption;
using e2e::kLastHistory;
using e2e::kRunMRU;
using e2e::kSettings;
using e2e::listing;
using e2e::pressKeysUntil;
using e2e::Program;
using e2e::waitUntil;

const char kShredder[] = "SOFTWARE\\Quellery\\Sheredder";
const DWORD kScheduleDeadlineMs = 150000;

// The top-level window of the process with this caption, shown or not.
HWND windowOf(DWORD pid, const std::string& caption) {
  for (HWND hwnd : e2e::topLevelWindows(caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == pid) return hwnd;
  }
  return nullptr;
}

int count(const std::vector<std::string>& lines, const std::string& line) {
  int n = 0;
  for (const std::string& l : lines) n += l == line;
  return n;
}

class PathsMeet : public ::testing::Test {
 protected:
  void SetUp() override {
    forget();
    exePath = e2e::programPath();
    ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  }
  void TearDown() override {
    program.terminate();
    forget();
  }
  static void forget() {
    SHDeleteKeyA(HKEY_CURRENT_USER, kSettings);
    SHDeleteKeyA(HKEY_CURRENT_USER, kShredder);
  }
  void save(const char* name, const char* value) { e2e::setString(HKEY_CURRENT_USER, kLastHistory, name, value); }
  // "Run After Every" one minute: the first run starts a minute after start-up.
  void scheduleEveryMinute() {
    save("chkRun4", "1");
    save("OptSchedule0", "True");
    save("txtMin", "1");
  }
  std::string saved(const char* name) { return e2e::readString(HKEY_CURRENT_USER, kLastHistory, name); }

  std::string exePath;
  Program program;
};

}  // namespace

TEST_F(PathsMeet, ASessionEndingDuringAScheduledRunCleansEveryTickedItemBeforeTheEnd) {
  scheduleEveryMinute();
  save("chkRun2", "1");
  for (const char* item : {"chkWinSettings0", "chkWinSettings1", "chkWinSettings2", "chkWinSettings5"}) save(item, "1");
  ASSERT_TRUE(e2e::setString(HKEY_CURRENT_USER, kRunMRU, "a", "secret-command"));
  ASSERT_TRUE(program.start(exePath));
  HWND list = program.control("lstClean");
  std::vector<std::string> lines;
  ASSERT_TRUE(e2e::waitForLines(
      list, &lines, [](const std::vector<std::string>& l) { return e2e::contains(l, "Cleaning Recycle Bin..."); },
      kScheduleDeadlineMs))
      << "the scheduled run did not start\n" << listing(lines);

  // Windows asks while the run pauses after its first item, and waits only seconds.
  DWORD_PTR answer = 0;
  const DWORD asked = GetTickCount();
  ASSERT_TRUE(SendMessageTimeoutA(program.main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer))
      << "no answer to WM_QUERYENDSESSION within 10 s";
  EXPECT_LT(GetTickCount() - asked, 5000u) << "the answer took too long for Windows 2000 and XP";
  EXPECT_EQ(answer, 1u);
  ASSERT_TRUE(e2e::listLines(list, &lines));
  for (const char* item : {"Cleaning Recycle Bin...", "Cleaning Recent RUN History...", "Cleaning Recent Document List...",
                           "Cleaning Clipboard..."})
    EXPECT_EQ(count(lines, item), 1) << item << "\n" << listing(lines);
  EXPECT_EQ(e2e::readString(HKEY_CURRENT_USER, kRunMRU, "a"), "(missing)") << "the Run history was cleaned";

  PostMessageA(program.main, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(WaitForSingleObject(program.process.hProcess, e2e::kDeadlineMs), WAIT_OBJECT_0)
      << "the program still runs after the session ended";
  EXPECT_EQ(saved("chkWinSettings5"), "1") << "selections saved on the way out";
}

TEST_F(PathsMeet, AnInvisibleStartWithAnIntervalScheduleSweepsTheShredFolder) {
  save("chk1", "1");
  save("chkRun0", "1");
  scheduleEveryMinute();
  const std::string base = "C:\\InvisibleSweep", wipe = base + "\\Wipe";
  CreateDirectoryA(base.c_str(), nullptr);
  CreateDirectoryA(wipe.c_str(), nullptr);
  e2e::writeFile(wipe + "\\old.txt", "old");
  e2e::writeFile(base + "\\canary.txt", "stays");
  e2e::setString(HKEY_CURRENT_USER, kShredder, "ShredFolder", wipe);
  ASSERT_TRUE(program.launch(exePath));
  HWND main = nullptr;
  bool everShown = false;
  const bool swept = waitUntil(
      [&] {
        if (!main) main = windowOf(program.process.dwProcessId, kCaption);
        if (main && IsWindowVisible(main)) everShown = true;
        return !e2e::exists(wipe + "\\old.txt");
      },
      kScheduleDeadlineMs);
  EXPECT_TRUE(swept) << "the shred folder still holds old.txt";
  EXPECT_TRUE(e2e::exists(wipe)) << "the folder itself stays";
  EXPECT_TRUE(e2e::exists(base + "\\canary.txt"));
  EXPECT_FALSE(everShown) << "the window showed during an invisible start";
}

TEST_F(PathsMeet, CtrlHHidesTheCustomisationWindowTooAndCtrlUBringsBothBackMainActive) {
  ASSERT_TRUE(program.start(exePath));
  PostMessageA(program.control("cmdIEcustSettings"), BM_CLICK, 0, 0);
  HWND custom = nullptr;
  ASSERT_TRUE(waitUntil([&] {
    custom = windowOf(program.process.dwProcessId, "Custom Settings");
    return custom && IsWindowVisible(custom);
  })) << "the customisation window did not open";

  // One press each, as a user makes them: Ctrl+U comes while Wine still withdraws the
  // hidden windows (two seconds each), and counts once the program polls again.
  EXPECT_TRUE(pressKeysUntil({VK_CONTROL, 'H'},
                             [&] { return !IsWindowVisible(program.main) && !IsWindowVisible(custom); }, 12000))
      << "main shown: " << IsWindowVisible(program.main) << ", customisation shown: " << IsWindowVisible(custom);
  EXPECT_TRUE(pressKeysUntil({VK_CONTROL, 'U'},
                             [&] { return IsWindowVisible(program.main) && IsWindowVisible(custom); }, 12000))
      << "main shown: " << IsWindowVisible(program.main) << ", customisation shown: " << IsWindowVisible(custom);
  EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == program.main; }, 5000))
      << "the main window is not the active one";
}

TEST_F(PathsMeet, APanicDuringARunLeavesTheTicksOfThisSessionStored) {
  ASSERT_TRUE(program.start(exePath));
  // Ticked in this session, stored nowhere yet.
  ASSERT_TRUE(e2e::tickOnly(program, "chkWinSettings", {0, 1, 5}));
  ASSERT_EQ(saved("chkWinSettings5"), "(missing)");
  HWND list = program.control("lstClean");
  PostMessageA(program.control("cmdClean"), BM_CLICK, 0, 0);
  std::vector<std::string> lines;
  ASSERT_TRUE(e2e::waitForLines(
      list, &lines, [](const std::vector<std::string>& l) { return e2e::contains(l, "Cleaning Recycle Bin..."); },
      e2e::kDeadlineMs))
      << listing(lines);
  pressKeysUntil({VK_CONTROL, VK_F11}, [&] { return !IsWindowVisible(program.main) || !program.running(); },
                 e2e::kRunDeadlineMs);
  EXPECT_EQ(WaitForSingleObject(program.process.hProcess, e2e::kRunDeadlineMs), WAIT_OBJECT_0)
      << "the program did not end after the run";
  for (const char* tick : {"chkWinSettings0", "chkWinSettings1", "chkWinSettings5"}) EXPECT_EQ(saved(tick), "1") << tick;
}

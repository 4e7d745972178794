// What differs between the Windows versions the suite runs under. run-e2e.sh sets Wine
// to the version named by QUELLERY_E2E_WINDOWS (winxp, win2k or win98) before the
// driver starts, so the program meets that version's answers, and these cases check the
// behaviour that follows from them: the hardware page's Windows figures, leaving the task
// list (only Windows 95, 98 and ME can), and the shutdown privilege that only NT asks for.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DriverSupport.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::expectEq;
using e2e::Program;
using e2e::waitUntil;

struct WindowsVersion {
  const char* wine;     // Wine's name for it
  const char* name;     // the hardware page's "Windows" figure
  const char* version;  // its "Version" figure: major.minor.build
  const char* additional;  // the service pack, as Wine names it for that version
  bool nt;
};
const WindowsVersion kVersions[] = {
    {"winxp", "Microsoft Windows XP Build 2600", "5.01.2600", "Service Pack 3", true},
    {"win2k", "Microsoft Windows 2000", "5.00.2195", "Service Pack 4", true},
    {"win98", "Microsoft Windows 98", "4.10.2222", " A ", false},
};

const WindowsVersion* versionUnderTest() {
  const char* wine = std::getenv("QUELLERY_E2E_WINDOWS");
  for (const WindowsVersion& v : kVersions)
    if (wine && std::string(wine) == v.wine) return &v;
  return nullptr;
}

// run-e2e.sh sends everything Wine writes to the driver's standard error here, the
// trace of programs the driver starts included.
const char kWineLog[] = "C:\\e2e\\wine-stderr.log";
const char kRestartLog[] = "C:\\e2e\\restarts.txt";
const char kRestartStandIn[] = "C:\\e2e\\restart_recorder.exe";
const char kWineDebugKey[] = "Software\\Wine\\Debug";

std::string windowText(HWND hwnd) {
  char text[256] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
  return text;
}

// Every line of Wine's log from `from` on that mentions `call`.
std::vector<std::string> tracedCalls(std::size_t from, const std::string& call) {
  const std::string log = e2e::readFile(kWineLog, "");
  std::vector<std::string> lines;
  std::size_t start = from < log.size() ? from : log.size();
  while (start < log.size()) {
    std::size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    std::string line = log.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find(call) != std::string::npos) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Whether the process's token holds the shutdown privilege switched on; false when the
// token cannot be read.
bool shutdownPrivilegeEnabled(HANDLE process, bool* enabled) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::vector<BYTE> buffer(size ? size : 1);
  LUID shutdown = {};
  const bool read = GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size) &&
                    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown);
  CloseHandle(token);
  if (!read) return false;
  const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
  *enabled = false;
  for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
    if (p.Luid.LowPart == shutdown.LowPart && p.Luid.HighPart == shutdown.HighPart)
      *enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
  }
  return true;
}

class WindowsVersionCase : public ::testing::Test {
 protected:
  void SetUp() override {
    windows = versionUnderTest();
    ASSERT_NE(windows, nullptr) << "QUELLERY_E2E_WINDOWS names no Windows version this suite knows";
    exePath = e2e::programPath();
    ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  }
  void TearDown() override { program.terminate(); }

  const WindowsVersion* windows = nullptr;
  std::string exePath;
  Program program;
};

// Wine's wineboot.exe swapped for the recorder, and put back when this ends. The
// prefix's programs have the bitness of the driver, so the recorder built with it suits
// the system folder; while the swap lasts, Wine is told to start the file there instead
// of its own built-in wineboot.
class WinebootStandIn {
 public:
  WinebootStandIn() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, sizeof folder);
    wineboot_ = std::string(folder) + "\\wineboot.exe";
    swapped_ = MoveFileA(wineboot_.c_str(), (wineboot_ + ".e2e").c_str()) != FALSE;
    ok_ = swapped_ && CopyFileA(kRestartStandIn, wineboot_.c_str(), FALSE) &&
          e2e::setString(HKEY_CURRENT_USER, kOverridesKey, "wineboot.exe", "native");
  }
  ~WinebootStandIn() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kOverridesKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, "wineboot.exe");
      RegCloseKey(key);
    }
    if (!swapped_) return;
    DeleteFileA(wineboot_.c_str());
    EXPECT_TRUE(MoveFileA((wineboot_ + ".e2e").c_str(), wineboot_.c_str())) << wineboot_ << " put back";
  }
  WinebootStandIn(const WinebootStandIn&) = delete;
  WinebootStandIn& operator=(const WinebootStandIn&) = delete;
  bool ok() const { return ok_; }

 private:
  static constexpr const char* kOverridesKey = "Software\\Wine\\DllOverrides";
  std::string wineboot_;
  bool swapped_ = false, ok_ = false;
};

// Starts the program with `name` set to `value` in its environment, which Wine reads as
// the process starts; the driver's own stays as it was.
bool startWith(Program& program, const std::string& exePath, const char* name, const std::string& value) {
  char previous[1024] = {};
  const bool had = GetEnvironmentVariableA(name, previous, sizeof previous) > 0;
  SetEnvironmentVariableA(name, value.c_str());
  const bool started = program.start(exePath);
  SetEnvironmentVariableA(name, had ? previous : nullptr);
  return started;
}

// Starts the program with Wine tracing its calls of `function`.
bool startTraced(Program& program, const std::string& exePath, const char* function) {
  if (!e2e::setString(HKEY_CURRENT_USER, kWineDebugKey, "RelayInclude", function)) return false;
  const bool started = startWith(program, exePath, "WINEDEBUG", "-all,+relay");
  e2e::deleteKeyTree(HKEY_CURRENT_USER, kWineDebugKey);
  return started;
}

}  // namespace

TEST_F(WindowsVersionCase, TheHardwarePageNamesTheWindowsItRunsOn) {
  ASSERT_TRUE(program.start(exePath));
  HWND tree = program.control("tvw1");
  auto nodes = program.nodes(tree);
  ASSERT_TRUE(nodes.count("Hardware Info"));
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes["Hardware Info"]));
  // Each figure is the second label of its pair, after the caption.
  HWND name = program.control("lblWin", 1), version = program.control("lblWinVer", 1);
  HWND additional = program.control("lblWinAdditional", 1);
  ASSERT_TRUE(name && version && additional);
  waitUntil([&] { return windowText(name) == windows->name && windowText(version) == windows->version; }, 5000);
  const std::string under = std::string(" on the hardware page under ") + windows->wine;
  expectEq("Windows" + under, windows->name, windowText(name));
  expectEq("Version" + under, windows->version, windowText(version));
  expectEq("service pack" + under, windows->additional, windowText(additional));
}

TEST_F(WindowsVersionCase, OnlyWindows9xIsAskedToLeaveTheTaskListWhileHidden) {
  const std::size_t logStart = e2e::readFile(kWineLog, "").size();
  ASSERT_TRUE(startTraced(program, exePath, "RegisterServiceProcess"));
  ASSERT_TRUE(e2e::pressKeysUntil({VK_CONTROL, 'H'}, [&] { return !IsWindowVisible(program.main); }, 12000))
      << "hidden after Ctrl+H";
  program.settle();
  ASSERT_TRUE(e2e::pressKeysUntil({VK_CONTROL, 'U'}, [&] { return IsWindowVisible(program.main) != FALSE; }, 12000))
      << "shown after Ctrl+U";

  char pid[9];
  std::snprintf(pid, sizeof pid, "%08lx", static_cast<unsigned long>(program.process.dwProcessId));
  std::vector<std::string> expected;
  if (!windows->nt) {
    expected.push_back(std::string("Call KERNEL32.RegisterServiceProcess(") + pid + ",00000001)");
    expected.push_back(std::string("Call KERNEL32.RegisterServiceProcess(") + pid + ",00000000)");
  }
  std::vector<std::string> calls;
  // Ctrl+U shows the window before it asks back onto the task list: the log may be a
  // moment behind what the screen shows.
  waitUntil(
      [&] {
        calls.clear();
        for (const std::string& line : tracedCalls(logStart, "Call KERNEL32.RegisterServiceProcess(")) {
          // "0024:Call KERNEL32.RegisterServiceProcess(00000020,00000001) ret=00401654"
          const std::size_t call = line.find("Call "), close = line.find(')', call);
          calls.push_back(line.substr(call, close + 1 - call));
        }
        return calls.size() >= expected.size();
      },
      5000);
  e2e::expectLines(std::string("task list requests under ") + windows->wine, expected, calls);
}

TEST_F(WindowsVersionCase, CleanAndRebootSwitchesTheShutdownPrivilegeOnOnlyOnNT) {
  DeleteFileA(kRestartLog);
  WinebootStandIn standIn;
  ASSERT_TRUE(standIn.ok()) << "the recorder stands in for wineboot.exe";
  ASSERT_TRUE(program.start(exePath));
  ASSERT_TRUE(e2e::tickOnly(program, "chkWinSettings", {0}));
  PostMessageA(program.control("cmdReboot"), BM_CLICK, 0, 0);
  std::vector<std::string> lines;
  EXPECT_TRUE(e2e::waitForLines(
      program.control("lstClean"), &lines, [](const auto& now) { return e2e::runEnded(now, "Cleaning Is Done."); },
      e2e::kRunDeadlineMs))
      << e2e::listing(lines);
  EXPECT_TRUE(waitUntil([] { return !e2e::readFile(kRestartLog, "").empty(); }, 10000))
      << "Clean & Reboot asked Windows to restart";
  // Wine turns the request into wineboot's options: --kill for a forced end of every
  // program, and no --shutdown, which would mean power off instead of restart.
  const std::string request = e2e::readFile(kRestartLog, "");
  EXPECT_NE(request.find("--kill"), std::string::npos) << request;
  EXPECT_EQ(request.find("--shutdown"), std::string::npos) << request;
  bool enabled = false;
  EXPECT_TRUE(shutdownPrivilegeEnabled(program.process.hProcess, &enabled)) << "the program's token read";
  expectEq(std::string("shutdown privilege switched on under ") + windows->wine, windows->nt ? "on" : "off",
           enabled ? "on" : "off");
  // Nothing may ask for a restart once Wine's own wineboot is back.
  program.terminate();
}

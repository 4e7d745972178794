// End-to-end cases of the administrator's command line: "Quellery.exe /clean" cleans the
// stored selection without showing a window, saves its report and tells the outcome in its
// exit code; while another copy runs it does nothing and says so. "/preview" writes what a
// clean would remove and removes nothing; "/?" shows the usage.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DriverSupport.h"
#include "Seeding.h"

namespace {

using e2e::exists;

const char* const kTemp = "C:\\qe2e-cli-temp";
const char* const kReport = "C:\\qe2e-cli-report.txt";
const char* const kSeeded[] = {"one.tmp", "two.log", "three.dat"};

struct VisibleSearch {
  DWORD pid;
  bool found;
};

BOOL CALLBACK visibleOfProcess(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<VisibleSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && IsWindowVisible(hwnd)) search->found = true;
  return !search->found;
}

struct Finished {
  bool ended = false;
  DWORD exitCode = STILL_ACTIVE;
  bool windowShown = false;  // any visible top-level window of the process, seen while it ran
};

// Runs Quellery.exe with the switches to its end, watching for any window it shows;
// `meanwhile` is called with the process id at every poll, to answer what it shows.
Finished runSwitches(const std::string& switches, const std::function<void(DWORD pid)>& meanwhile = {}) {
  Finished finished;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + e2e::programPath() + "\" " + switches;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "CreateProcess error " << GetLastError() << " for " << command;
    return finished;
  }
  finished.ended = e2e::waitUntil(
      [&] {
        VisibleSearch search{process.dwProcessId, false};
        EnumWindows(visibleOfProcess, reinterpret_cast<LPARAM>(&search));
        finished.windowShown = finished.windowShown || search.found;
        if (meanwhile) meanwhile(process.dwProcessId);
        return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
      },
      60000);
  if (!finished.ended) {
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, e2e::kDeadlineMs);
  }
  GetExitCodeProcess(process.hProcess, &finished.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return finished;
}

// The text of the program's message box, shown by the process, answered with OK.
std::string answerMessageBox(DWORD pid) {
  HWND box = FindWindowA("#32770", "Quellery");
  DWORD owner = 0;
  if (!box || !IsWindowVisible(box)) return {};
  GetWindowThreadProcessId(box, &owner);
  if (owner != pid) return {};
  char text[2048] = {};
  GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return text;
}

// A temp folder of three files, and only the temp item ticked as stored at the last close.
void seed() {
  e2e::deleteKeyTree(HKEY_CURRENT_USER, "Software\\Quellery\\Settings");
  ASSERT_TRUE(e2e::setString(HKEY_CURRENT_USER, "Software\\Quellery\\Settings\\LastHistory", "chkWinSettings7", "1"));
  CreateDirectoryA(kTemp, nullptr);
  for (const char* name : kSeeded) ASSERT_TRUE(e2e::writeFile(std::string(kTemp) + "\\" + name, "seeded")) << name;
  DeleteFileA(kReport);
}

void tidy() {
  for (const char* name : kSeeded) DeleteFileA((std::string(kTemp) + "\\" + name).c_str());
  RemoveDirectoryA(kTemp);
  DeleteFileA(kReport);
}

// The report's line for a seeded file, or an empty text.
std::string reportLine(const std::string& report, const std::string& name) {
  size_t at = 0;
  while (at < report.size()) {
    const size_t end = report.find("\r\n", at);
    const std::string line = report.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (line.find("\\" + name + "\t") != std::string::npos) return line;
    if (end == std::string::npos) break;
    at = end + 2;
  }
  return {};
}

// The report file: its heading, then each seeded file as a temp-folder file of 6 bytes
// with the outcome.
void expectEachSeededFileReported(const char* outcome) {
  const std::string report = e2e::readFile(kReport);
  EXPECT_EQ(0u, report.rfind("Item\tKind\tTarget\tBytes\tOutcome\tReason\r\n", 0)) << report;
  for (const char* name : kSeeded) {
    const std::string line = reportLine(report, name);
    EXPECT_EQ(0u, line.rfind("Clean Windows Temp File Folder\tFile\t", 0)) << name << "\n" << report;
    EXPECT_NE(std::string::npos, line.find(std::string("\t6\t") + outcome + "\t")) << name << "\n" << report;
  }
}

}  // namespace

TEST(CommandLine, CleanEmptiesTheStoredSelectionWithoutAWindowAndReportsEachFile) {
  ASSERT_TRUE(e2e::topLevelWindows(e2e::kCaption).empty()) << "another Quellery is running";
  seed();
  Finished finished;
  {
    e2e::TempIs is(kTemp);
    finished = runSwitches(std::string("/clean /report:") + kReport);
  }
  EXPECT_TRUE(finished.ended) << "Quellery.exe /clean did not end within a minute";
  EXPECT_EQ(0u, finished.exitCode);
  EXPECT_FALSE(finished.windowShown) << "/clean showed a window";
  for (const char* name : kSeeded) EXPECT_FALSE(exists(std::string(kTemp) + "\\" + name)) << name;
  expectEachSeededFileReported("Removed");
  tidy();
}

TEST(CommandLine, CleanWhileAnotherCopyRunsEndsWithTwoAndRemovesNothing) {
  ASSERT_TRUE(e2e::topLevelWindows(e2e::kCaption).empty()) << "another Quellery is running";
  seed();
  e2e::Program program;
  ASSERT_TRUE(program.start(e2e::programPath()));
  Finished finished;
  {
    e2e::TempIs is(kTemp);
    finished = runSwitches(std::string("/clean /report:") + kReport);
  }
  EXPECT_TRUE(finished.ended) << "Quellery.exe /clean did not end within a minute";
  EXPECT_EQ(2u, finished.exitCode);
  for (const char* name : kSeeded) EXPECT_TRUE(exists(std::string(kTemp) + "\\" + name)) << name;
  EXPECT_FALSE(exists(kReport)) << "a report was written";
  EXPECT_TRUE(program.running()) << "the running copy was disturbed";
  program.terminate();
  tidy();
}

TEST(CommandLine, PreviewReportsWhatACleanWouldRemoveAndRemovesNothing) {
  ASSERT_TRUE(e2e::topLevelWindows(e2e::kCaption).empty()) << "another Quellery is running";
  seed();
  Finished finished;
  {
    e2e::TempIs is(kTemp);
    finished = runSwitches(std::string("/preview /report:") + kReport);
  }
  EXPECT_TRUE(finished.ended) << "Quellery.exe /preview did not end within a minute";
  EXPECT_EQ(0u, finished.exitCode);
  EXPECT_FALSE(finished.windowShown) << "/preview showed a window";
  for (const char* name : kSeeded) EXPECT_TRUE(exists(std::string(kTemp) + "\\" + name)) << name;
  expectEachSeededFileReported("To remove");
  tidy();
}

TEST(CommandLine, QuestionMarkShowsTheUsageInAMessageBoxAndEndsOnceItIsAnswered) {
  ASSERT_TRUE(e2e::topLevelWindows(e2e::kCaption).empty()) << "another Quellery is running";
  std::string usage;
  const Finished finished = runSwitches("/?", [&](DWORD pid) {
    if (usage.empty()) usage = answerMessageBox(pid);
  });
  EXPECT_TRUE(finished.ended) << "Quellery.exe /? did not end once its box was answered";
  EXPECT_EQ(0u, finished.exitCode);
  for (const char* form :
       {"Quellery.exe /clean [/report:PATH]", "Quellery.exe /preview /report:PATH", "Quellery.exe /?"})
    EXPECT_NE(std::string::npos, usage.find(form)) << form << " missing from the usage:\n" << usage;
  EXPECT_TRUE(e2e::topLevelWindows(e2e::kCaption).empty()) << "/? opened the main window";
}

// Under the Task Scheduler or a logon script nobody answers a box: a /clean that is not
// understood ends at once with 1, cleans nothing and says why in its report.
TEST(CommandLine, ACleanLineNotUnderstoodEndsWithOneShowingNothingAndSaysWhy) {
  ASSERT_TRUE(e2e::topLevelWindows(e2e::kCaption).empty()) << "another Quellery is running";
  seed();
  const DWORD start = GetTickCount();
  Finished finished;
  {
    e2e::TempIs is(kTemp);
    finished = runSwitches(std::string("/clean /bogus /report:") + kReport);
  }
  EXPECT_TRUE(finished.ended && GetTickCount() - start < 10000) << "it did not end within 10 s";
  EXPECT_EQ(1u, finished.exitCode);
  EXPECT_FALSE(finished.windowShown) << "a window or box was shown";
  for (const char* name : kSeeded) EXPECT_TRUE(exists(std::string(kTemp) + "\\" + name)) << name;
  const std::string report = e2e::readFile(kReport);
  EXPECT_NE(std::string::npos, report.find("Unknown switch: /bogus")) << report;
  tidy();
}

// A cookie keep list another program holds open cannot be read: no cookie may go, since
// none can be told kept, and the run must not pass for done.
TEST(CommandLine, ACleanWhoseCookieKeepListIsLockedEndsWithOneAndSaysWhy) {
  ASSERT_TRUE(e2e::topLevelWindows(e2e::kCaption).empty()) << "another Quellery is running";
  seed();
  ASSERT_TRUE(e2e::setString(HKEY_CURRENT_USER, "Software\\Quellery\\Settings\\LastHistory", "chkIEsettings8", "1"));
  const std::string exePath = e2e::programPath();
  const std::string keepList = exePath.substr(0, exePath.find_last_of('\\') + 1) + "cookies.inf";
  ASSERT_TRUE(e2e::writeFile(keepList, "Cookie:user@example.com/\r\n"));
  HANDLE held = CreateFileA(keepList.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Finished finished;
  {
    e2e::TempIs is(kTemp);
    finished = runSwitches(std::string("/clean /report:") + kReport);
  }
  CloseHandle(held);
  EXPECT_TRUE(finished.ended) << "Quellery.exe /clean did not end within a minute";
  EXPECT_EQ(1u, finished.exitCode);
  const std::string report = e2e::readFile(kReport);
  EXPECT_NE(std::string::npos, report.find("Clean Cookies\tItem\t" + keepList + "\t0\tFailed\tthe keep list cannot be read"))
      << report;
  DeleteFileA(keepList.c_str());
  tidy();
}

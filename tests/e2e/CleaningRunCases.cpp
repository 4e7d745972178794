// End-to-end cases on the real program: a cleaning run from the Start Cleaning button to
// its closing lines, a run cut short by Stop Clean, the single running instance, and the
// status bar and pages that follow the settings tree. Every case starts its own Quellery
// process and ends it by TerminateProcess, so nothing it changed is saved; ticks left by
// earlier processes in the registry are cleared at the start of each case.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "DriverSupport.h"
#include "RunSupport.h"

namespace {

using e2e::contains;
using e2e::expectEq;
using e2e::expectLines;
using e2e::fail;
using e2e::kCaption;
using e2e::kLongBlank;
using e2e::kReady;
using e2e::listLines;
using e2e::Program;
using e2e::runEnded;
using e2e::shown;
using e2e::sideBySide;
using e2e::Tick;
using e2e::tickOnly;
using e2e::waitForLines;
using e2e::waitUntil;

const DWORD kRunDeadlineMs = 60000;

// The lines as read, numbered.
std::string listing(const std::vector<std::string>& lines) {
  std::ostringstream out;
  out << "the list reads:\n";
  for (size_t i = 0; i < lines.size(); ++i) out << "  " << i << ": " << shown(lines[i]) << "\n";
  return out.str();
}

}  // namespace

// Three items, one from each kind of page that has a tick, run from Start Cleaning.
TEST(CleaningRun, StartCleaningRunsTheTickedItemsInOrderAndEndsWithTheReadyMessage) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  Program program;
  ASSERT_TRUE(program.start(exePath));
  // Not the Internet History: Wine's history store cannot be cleared, which the item says.
  ASSERT_TRUE(tickOnly(program, {{"chkWinSettings", 0}, {"chkIEsettings", 5}, {"chkOPsettings", 1}}));
  HWND list = program.control("lstClean");
  HWND start = program.control("cmdClean");
  HWND exitButton = program.control("cmdExit");
  HWND reboot = program.control("cmdReboot");
  ASSERT_TRUE(list && start && exitButton && reboot);

  // Posted: the click's handler pumps events until the run is over.
  PostMessageA(start, BM_CLICK, 0, 0);
  std::vector<std::string> lines;
  // While the run goes on, the program can neither be left nor rebooted from its buttons.
  if (waitForLines(list, &lines, [](const auto& now) { return contains(now, "Cleaning Recycle Bin..."); }, 20000)) {
    expectEq("Exit enabled during the run", "0", std::to_string(IsWindowEnabled(exitButton)));
    expectEq("Clean & Reboot enabled during the run", "0", std::to_string(IsWindowEnabled(reboot)));
  } else {
    ADD_FAILURE() << "the run did not begin within 20 s\n" << sideBySide({"Cleaning Recycle Bin..."}, lines);
  }
  const bool ended =
      waitForLines(list, &lines, [](const auto& now) { return runEnded(now, "Cleaning Is Done."); }, kRunDeadlineMs);

  std::vector<std::string> expected = {"Cleaning Recycle Bin...",      "Done...", kLongBlank,
                                       "Cleaning URL Error Logs...",   "Done...", kLongBlank,
                                       "Cleaning Opera Cache...",      "Done...", " ",
                                       " ",                            " ",       " ",
                                       "Cleaning Is Done.",            " "};
  expected.insert(expected.end(), std::begin(kReady), std::end(kReady));
  if (!ended) ADD_FAILURE() << "the run did not end within " << kRunDeadlineMs / 1000 << " s";
  expectLines("the list after the run", expected, lines);
  if (ended) {
    expectEq("Exit enabled after the run", "1", std::to_string(IsWindowEnabled(exitButton)));
    expectEq("Clean & Reboot enabled after the run", "1", std::to_string(IsWindowEnabled(reboot)));
    expectEq("the last line selected", std::to_string(lines.size() - 1),
             std::to_string(SendMessageW(list, LB_GETCURSEL, 0, 0)));
  }

  const std::string pictures = e2e::screenshotDir(exePath);
  CreateDirectoryA(pictures.c_str(), nullptr);
  program.settle();
  e2e::screenshot(program.main, pictures + "\\run-done.bmp");
  program.terminate();
}

// Stop Clean after the first item: the item under way finishes, no other one begins.
TEST(CleaningRun, StopCleanEndsTheRunAfterTheItemUnderWay) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  Program program;
  ASSERT_TRUE(program.start(exePath));
  // Quick items, each with its own line, in run order.
  const std::vector<Tick> ticks = {{"chkWinSettings", 0}, {"chkWinSettings", 2}, {"chkWinSettings", 5},
                                   {"chkWinSettings", 8}};
  const std::vector<std::string> itemLines = {"Cleaning Recycle Bin...", "Cleaning Recent Document List...",
                                              "Cleaning Clipboard...", "Cleaning Open / Save Dialog Box History..."};
  ASSERT_TRUE(tickOnly(program, ticks));
  HWND list = program.control("lstClean");
  HWND start = program.control("cmdClean");
  HWND stop = program.control("cmdStopCleaning");
  ASSERT_TRUE(list && start && stop);

  PostMessageA(start, BM_CLICK, 0, 0);
  std::vector<std::string> lines;
  const bool firstDone = waitForLines(list, &lines, [](const auto& now) { return contains(now, "Done..."); }, 30000);
  if (!firstDone) {
    ADD_FAILURE() << "no item was done within 30 s\n" << sideBySide({itemLines[0], "Done..."}, lines);
    program.terminate();
    return;
  }
  const size_t linesAtStop = lines.size();
  PostMessageA(stop, BM_CLICK, 0, 0);
  const bool ended =
      waitForLines(list, &lines, [](const auto& now) { return runEnded(now, "Clean Aborted"); }, kRunDeadlineMs);
  if (!ended) {
    ADD_FAILURE() << "the run did not end with \"Clean Aborted\" within " << kRunDeadlineMs / 1000 << " s\n"
                  << listing(lines);
    program.terminate();
    return;
  }

  // The items begun are the first ones in run order, fewer than all, none after the stop.
  std::vector<std::string> begun;
  std::string late;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (std::find(itemLines.begin(), itemLines.end(), lines[i]) == itemLines.end()) continue;
    begun.push_back(lines[i]);
    if (i >= linesAtStop) late += "\n  line " + std::to_string(i) + ": " + shown(lines[i]);
  }
  if (!late.empty())
    ADD_FAILURE() << "items begun after Stop Clean (the list had " << linesAtStop << " lines then):" << late << "\n"
                  << listing(lines);
  EXPECT_LT(begun.size(), itemLines.size()) << "Stop Clean did not shorten the run";
  expectLines("items begun, in run order", std::vector<std::string>(itemLines.begin(), itemLines.begin() + begun.size()),
              begun);
  // Each item begun ran to its end.
  EXPECT_EQ(static_cast<size_t>(std::count(lines.begin(), lines.end(), std::string("Done..."))), begun.size())
      << listing(lines);
  EXPECT_FALSE(contains(lines, "Cleaning Is Done.")) << listing(lines);
  // The closing lines of a stopped run.
  std::vector<std::string> tail = {" ", " ", " ", "Clean Aborted", " "};
  tail.insert(tail.end(), std::begin(kReady), std::end(kReady));
  std::vector<std::string> lastLines(lines.end() - std::min(lines.size(), tail.size()), lines.end());
  expectLines("the closing lines", tail, lastLines);
  // Start Cleaning is usable again.
  expectEq("Start Cleaning enabled", "1", std::to_string(IsWindowEnabled(start)));
  expectEq("Clean & Reboot enabled", "1", std::to_string(IsWindowEnabled(program.control("cmdReboot"))));
  program.terminate();
}

// A second start ends by itself and leaves the first program's window the only one.
TEST(SingleInstance, ASecondStartEndsAndLeavesOneMainWindow) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  Program first;
  ASSERT_TRUE(first.start(exePath));
  Program second;
  ASSERT_TRUE(second.launch(exePath));
  const bool ended = WaitForSingleObject(second.process.hProcess, e2e::kDeadlineMs) == WAIT_OBJECT_0;
  EXPECT_TRUE(ended) << "the second Quellery still runs after " << e2e::kDeadlineMs / 1000 << " s";
  if (ended) {
    DWORD code = 0;
    GetExitCodeProcess(second.process.hProcess, &code);
    EXPECT_EQ(code, 0u) << "exit code of the second Quellery";
  }
  second.terminate();

  const std::vector<HWND> windows = e2e::topLevelWindows(kCaption);
  EXPECT_EQ(windows.size(), 1u) << "top-level windows captioned \"" << kCaption << "\"";
  for (HWND hwnd : windows) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    EXPECT_EQ(pid, first.process.dwProcessId) << "the remaining window belongs to the first Quellery";
    EXPECT_TRUE(IsWindowVisible(hwnd));
  }
  EXPECT_TRUE(first.running()) << "the first Quellery ended";
  DWORD_PTR ignored = 0;
  EXPECT_TRUE(SendMessageTimeoutA(first.main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored))
      << "the first Quellery no longer answers";
  first.terminate();
}

// The welcome text and the cleaning page at start; each browser page and back to Main.
TEST(StatusBar, TheMessagePanelAndThePageFollowTheTreeNodeClicked) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  Program program;
  ASSERT_TRUE(program.start(exePath));
  static const char* const kPages[] = {"fraCleaning", "fraWindows", "fraIE", "fraNetscape", "fraOpera"};
  // The one page of kPages that is shown, or what is wrong with them.
  auto pageShown = [&]() -> std::string {
    std::string shownPages;
    for (const char* page : kPages)
      if (HWND hwnd = program.control(page); hwnd && IsWindowVisible(hwnd))
        shownPages += (shownPages.empty() ? "" : " + ") + std::string(page);
    return shownPages.empty() ? "(none)" : shownPages;
  };

  expectEq("panel 2 at start", "Welcome To Quellery", program.panelText(2));
  expectEq("page at start", "fraCleaning", pageShown());

  struct Row {
    const char* node;
    const char* page;
    const char* status;
  };
  const Row rows[] = {{"Windows", "fraWindows", "Displaying Windows Settings...."},
                      {"IE", "fraIE", "Displaying IE Settings...."},
                      {"Netscape", "fraNetscape", "Displaying Netscape Settings...."},
                      {"Opera", "fraOpera", "Displaying Opera Settings...."},
                      {"Main", "fraCleaning", "Welcome To Quellery"}};
  HWND tree = program.control("tvw1");
  ASSERT_TRUE(tree);
  auto nodes = program.nodes(tree);
  for (const Row& row : rows) {
    if (!nodes.count(row.node)) {
      fail(std::string("tree node ") + row.node, "present", "missing");
      continue;
    }
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes[row.node]));
    waitUntil([&] { return pageShown() == row.page && program.panelText(2) == row.status; }, 5000);
    expectEq(std::string("page after ") + row.node, row.page, pageShown());
    expectEq(std::string("panel 2 after ") + row.node, row.status, program.panelText(2));
  }
  program.terminate();
}

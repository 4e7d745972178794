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

namespace {

using e2e::expectEq;
using e2e::fail;
using e2e::kCaption;
using e2e::listLines;
using e2e::Program;
using e2e::waitUntil;

const DWORD kRunDeadlineMs = 60000;

const std::string kLongBlank(43, ' ');  // what follows "Done..." of most items
const char* const kReady[] = {"Quellery is ready", "Select cleaning options",
                              "Click 'Start Cleaning' to begin cleaning process ",
                              "or click 'Clean & Reboot' to reboot after cleaning"};

struct TickGroup {
  const char* array;
  int size;
  const char* deselectAll;
};
const TickGroup kGroups[] = {{"chkWinSettings", 10, "cmdDeselectAllWin"},
                             {"chkIEsettings", 10, "cmdDestAllIE"},
                             {"chkNSsettings", 6, "cmdDesellectAllNet"},
                             {"chkOPsettings", 3, "cmdDeselectAllOP"}};

struct Tick {
  const char* array;
  int index;
};

std::string tickName(const Tick& t) { return std::string(t.array) + "(" + std::to_string(t.index) + ")"; }

LRESULT checkOf(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0); }

// Empties every cleaning tick with the four Deselect All buttons, then ticks `ticks`.
// Returns false (with failures recorded) when the ticks are not as asked.
bool tickOnly(const Program& program, const std::vector<Tick>& ticks) {
  for (const TickGroup& group : kGroups) {
    if (HWND button = program.control(group.deselectAll)) SendMessageA(button, BM_CLICK, 0, 0);
    for (int i = 0; i < group.size; ++i) {
      HWND box = program.control(group.array, i);
      if (!box) return false;
      if (checkOf(box) != BST_UNCHECKED) {
        fail(std::string(group.deselectAll) + " empties " + tickName({group.array, i}), "0",
             std::to_string(checkOf(box)));
        // A click empties a ticked or grey box; the case can still go on.
        SendMessageA(box, BM_CLICK, 0, 0);
        if (checkOf(box) != BST_UNCHECKED) return false;
      }
    }
  }
  for (const Tick& t : ticks) {
    HWND box = program.control(t.array, t.index);
    if (!box) return false;
    SendMessageA(box, BM_CLICK, 0, 0);
    if (checkOf(box) != BST_CHECKED) {
      fail("tick " + tickName(t), "1", std::to_string(checkOf(box)));
      return false;
    }
  }
  return true;
}

// A line as it reads in a report: quoted, with runs of blanks counted.
std::string shown(const std::string& line) {
  if (!line.empty() && line.find_first_not_of(' ') == std::string::npos)
    return line.size() == 1 ? "\" \"" : "<" + std::to_string(line.size()) + " blanks>";
  return "\"" + line + "\"";
}

// Expected and actual lines side by side, differing rows marked.
std::string sideBySide(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  std::ostringstream out;
  const size_t rows = std::max(expected.size(), actual.size());
  out << "    #  expected" << std::string(52, ' ') << "actual\n";
  for (size_t i = 0; i < rows; ++i) {
    const std::string e = i < expected.size() ? shown(expected[i]) : "(none)";
    const std::string a = i < actual.size() ? shown(actual[i]) : "(none)";
    std::string index = std::to_string(i);
    out << (e == a ? "  " : "! ") << std::string(3 - std::min<size_t>(3, index.size()), ' ') << index << "  " << e
        << std::string(e.size() < 60 ? 60 - e.size() : 1, ' ') << a << "\n";
  }
  return out.str();
}

// The lines as read, numbered.
std::string listing(const std::vector<std::string>& lines) {
  std::ostringstream out;
  out << "the list reads:\n";
  for (size_t i = 0; i < lines.size(); ++i) out << "  " << i << ": " << shown(lines[i]) << "\n";
  return out.str();
}

void expectLines(const std::string& what, const std::vector<std::string>& expected,
                 const std::vector<std::string>& actual) {
  if (expected != actual) ADD_FAILURE() << what << "\n" << sideBySide(expected, actual);
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A run has ended when its closing line is followed by the ready message.
bool runEnded(const std::vector<std::string>& lines, const char* closing) {
  const size_t n = lines.size();
  return n >= 6 && lines[n - 6] == closing && lines[n - 1] == kReady[3];
}

// Reads the list until `done` holds for its lines or the deadline passes; `lines` ends
// with the last complete reading.
bool waitForLines(HWND list, std::vector<std::string>* lines,
                  const std::function<bool(const std::vector<std::string>&)>& done, DWORD ms) {
  return waitUntil(
      [&] {
        std::vector<std::string> now;
        if (!listLines(list, &now)) return false;
        *lines = now;
        return done(now);
      },
      ms);
}

}  // namespace

// Three items, one from each kind of page that has a tick, run from Start Cleaning.
TEST(CleaningRun, StartCleaningRunsTheTickedItemsInOrderAndEndsWithTheReadyMessage) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  Program program;
  ASSERT_TRUE(program.start(exePath));
  ASSERT_TRUE(tickOnly(program, {{"chkWinSettings", 0}, {"chkIEsettings", 4}, {"chkOPsettings", 1}}));
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
                                       "Cleaning Internet History...", "Done...", kLongBlank,
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

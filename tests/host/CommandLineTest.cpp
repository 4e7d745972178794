// The administrator's command line: how it is read, the exit codes, and a /clean that
// shows nothing, on the simulated machine.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestApp.h"
#include "platform/sim/SimSnapshot.h"
#include "program/CommandLine.h"
#include "program/CommandLineRun.h"
#include "settings/SettingsStore.h"

namespace {

using Action = program::CommandLine::Action;

const char* actionName(Action action) {
  switch (action) {
    case Action::ShowWindow: return "ShowWindow";
    case Action::Clean: return "Clean";
    case Action::Preview: return "Preview";
    case Action::Usage: return "Usage";
    case Action::Mistake: return "Mistake";
  }
  return "?";
}

TEST(CommandLine, SwitchesAndReportPathsAreReadAsAWindowsUserWritesThem) {
  const struct {
    const char* line;
    Action action;
    const char* report;
  } cases[] = {
      {"", Action::ShowWindow, ""},
      {"   ", Action::ShowWindow, ""},
      {"/clean", Action::Clean, ""},
      {"-CLEAN", Action::Clean, ""},
      {"/Clean /Report:C:\\r.txt", Action::Clean, "C:\\r.txt"},
      {"/clean\t-report:C:\\r.txt", Action::Clean, "C:\\r.txt"},
      {"\"/report:C:\\My Files\\r.txt\" /clean", Action::Clean, "C:\\My Files\\r.txt"},
      {"/clean /report:\"C:\\My Files\\r.txt\"", Action::Clean, "C:\\My Files\\r.txt"},
      {"/clean /report:\\\\server\\share\\PC-01.txt", Action::Clean, "\\\\server\\share\\PC-01.txt"},
      {"/clean /clean /report:r.txt", Action::Clean, "r.txt"},
      {"/PREVIEW /report:C:\\p.txt", Action::Preview, "C:\\p.txt"},
      {"/?", Action::Usage, ""},
      {"-?", Action::Usage, ""},
      {"/help", Action::Usage, ""},
      {"/clean /bogus /?", Action::Usage, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const program::CommandLine line = program::parseCommandLine(c.line);
    EXPECT_STREQ(actionName(c.action), actionName(line.action)) << line.mistake;
    EXPECT_EQ(c.report, line.reportPath);
  }
}

TEST(CommandLine, ALineNotUnderstoodSaysWhatWasWrong) {
  const struct {
    const char* line;
    const char* mistake;
  } cases[] = {
      {"/bogus", "Unknown switch: /bogus"},
      {"/clean /Reprot:r.txt", "Unknown switch: /Reprot:r.txt"},
      {"clean", "Not a switch: clean"},
      {"/clean /preview /report:r.txt", "/clean and /preview cannot be asked together."},
      {"/preview", "/preview writes its list to the file that /report:PATH names."},
      {"/report:r.txt", "/report:PATH goes with /clean or /preview."},
      {"/clean /report:", "/report needs a file: /report:PATH"},
      {"/clean /report", "/report needs a file: /report:PATH"},
      {"/clean /report:a.txt /report:b.txt", "Only one /report:PATH can be given."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const program::CommandLine line = program::parseCommandLine(c.line);
    EXPECT_STREQ("Mistake", actionName(line.action));
    EXPECT_EQ(c.mistake, line.mistake);
  }
}

TEST(CommandLine, QuotesAndBackslashesFollowTheRulesOfWindowsPrograms) {
  const struct {
    const char* line;
    std::vector<std::string> arguments;
  } cases[] = {
      {"a  b\tc", {"a", "b", "c"}},
      {"\"a b\" c", {"a b", "c"}},
      {"x\"a b\"y", {"xa by"}},
      {"\\\\server\\share", {"\\\\server\\share"}},
      {"a\\\\\"b c\"", {"a\\b c"}},
      {"a\\\"b", {"a\"b"}},
      {"\"\"", {""}},
      {"\"open", {"open"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(c.arguments, program::splitArguments(c.line));
  }
}

// What Windows runs at logon is the Run entry's command as it stands, the program's own
// path included: each form this program writes or has written starts the window.
TEST(CommandLine, EveryRunEntryTheProgramHasWrittenStartsTheWindow) {
  const std::string program = "C:\\Program Files\\Quellery\\Quellery.exe";
  const struct {
    const char* line;
    const char* arguments;
    Action action;
  } cases[] = {
      {"\"C:\\Program Files\\Quellery\\Quellery.exe\" m", "m", Action::ShowWindow},
      {"C:\\Program Files\\Quellery\\Quellery.exe m", "m", Action::ShowWindow},
      {"c:\\program files\\quellery\\QUELLERY.EXE M", "M", Action::ShowWindow},
      {"C:\\PROGRA~1\\QUELLERY\\QUELLERY.EXE m", "m", Action::ShowWindow},
      {"C:\\Program Files\\Quellery\\Quellery.exe", "", Action::ShowWindow},
      {"\"C:\\Program Files\\Quellery\\Quellery.exe\"", "", Action::ShowWindow},
      {"\"C:\\Program Files\\Quellery\\Quellery.exe\" /clean /report:C:\\r.txt", "/clean /report:C:\\r.txt",
       Action::Clean},
      {"C:\\Program Files\\Quellery\\Quellery.exe /clean", "/clean", Action::Clean},
      {"Quellery.exe /?", "/?", Action::Usage},
      {"C:\\Program Files\\Quellery\\Quellery.exe m /clean", "m /clean", Action::Mistake},
      {"C:\\Program Files\\Quellery\\Quellery.exeX m", "Files\\Quellery\\Quellery.exeX m", Action::Mistake},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string arguments = program::argumentsAfterProgram(c.line, program);
    EXPECT_EQ(c.arguments, arguments);
    EXPECT_STREQ(actionName(c.action), actionName(program::parseCommandLine(arguments).action));
  }
}

erase::Plan planOf(std::initializer_list<erase::Outcome> outcomes, bool stopped = false) {
  erase::Plan plan;
  plan.items.resize(2);
  for (erase::Outcome outcome : outcomes) {
    erase::Target target;
    target.where = "C:\\TEMP\\f.tmp";
    target.outcome = outcome;
    plan.items[1].targets.push_back(target);
  }
  plan.stopped = stopped;
  return plan;
}

TEST(CommandLine, ARunIsDoneOnlyWhenEveryTargetWentOrGoesAtTheRestart) {
  using O = erase::Outcome;
  EXPECT_EQ(0, program::CleanExitCode(planOf({})));
  EXPECT_EQ(0, program::CleanExitCode(planOf({O::Removed, O::Removed})));
  EXPECT_EQ(0, program::CleanExitCode(planOf({O::Removed, O::AtRestart})));
  EXPECT_EQ(1, program::CleanExitCode(planOf({O::Removed, O::Failed})));
  EXPECT_EQ(1, program::CleanExitCode(planOf({O::Refused, O::Removed})));
  EXPECT_EQ(1, program::CleanExitCode(planOf({O::Removed}, true)));
}

// Every form made visible while it watches, by name.
struct FormsShown : ui::ControlObserver {
  FormsShown() { ui::Control::setObserver(this); }
  ~FormsShown() override { ui::Control::setObserver(nullptr); }
  void controlChanged(ui::Control& control, ui::Change change, int) override {
    if (control.kind() == ui::Kind::Form && change == ui::Change::Visible && control.visible())
      names.push_back(control.name());
  }
  std::vector<std::string> names;
};

// A machine with files in its temp folder and the temp item ticked when the program was
// last closed.
class CommandLineRun : public ::testing::Test, protected TestApp {
 protected:
  const std::string temp = "C:\\WINDOWS\\TEMP";
  void SetUp() override {
    machine.files.makeFolders(temp);
    machine.system.temp = temp + "\\";
    for (const char* name : {"a.tmp", "b.tmp"}) ASSERT_EQ(0, machine.files.writeFile(temp + "\\" + name, "12345"));
    settings::SaveSetting(machine.registry, "Quellery", "LastHistory", "chkWinSettings7", "1");
  }
  bool present(const std::string& path) {
    return machine.files.getAttributes(path) != platform::fileattr::Invalid;
  }
  std::string read(const std::string& path) {
    std::string text;
    return machine.files.readFile(path, &text) == 0 ? text : "(no file)";
  }
  int run(const std::string& line) { return program::RunCommandLine(app, program::parseCommandLine(line)); }
};

TEST_F(CommandLineRun, CleanRunsTheStoredTicksShowingNothingAndSavesTheReport) {
  machine.files.makeFolders("C:\\My Reports");
  FormsShown shown;
  EXPECT_EQ(0, run("/clean \"/report:C:\\My Reports\\r.txt\""));
  EXPECT_EQ(std::vector<std::string>(), shown.names);
  EXPECT_FALSE(present(temp + "\\a.tmp"));
  EXPECT_FALSE(present(temp + "\\b.tmp"));
  EXPECT_EQ(
      "Item\tKind\tTarget\tBytes\tOutcome\tReason\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\a.tmp\t5\tRemoved\t\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\b.tmp\t5\tRemoved\t\r\n",
      read("C:\\My Reports\\r.txt"));
  EXPECT_FALSE(present("C:\\My Reports\\r.txt.new"));

  EXPECT_FALSE(app.frm.form.visible());
  EXPECT_FALSE(app.frmCustom.form.visible());
  EXPECT_EQ(0, machine.shell.trayIcons);
  EXPECT_TRUE(machine.shell.messageBoxes.empty());
  // No hot key, panic key or scheduler can bring up a window or start a pass of its own.
  EXPECT_FALSE(app.frm.timerScheduler.enabled());
  EXPECT_FALSE(app.frm.timeHide.enabled());
  EXPECT_FALSE(app.frm.timPanic.enabled());
}

TEST_F(CommandLineRun, ATargetAGuardKeptMakesTheRunEndWithOne) {
  ASSERT_EQ(0, machine.files.writeFile(temp + "\\hidden.tmp", "h"));
  ASSERT_EQ(0, machine.files.setAttributes(temp + "\\hidden.tmp", platform::fileattr::Hidden));
  EXPECT_EQ(1, run("/clean /report:C:\\r.txt"));
  EXPECT_TRUE(present(temp + "\\hidden.tmp"));
  EXPECT_FALSE(present(temp + "\\a.tmp"));
  EXPECT_NE(std::string::npos, read("C:\\r.txt").find("\tC:\\WINDOWS\\TEMP\\hidden.tmp\t0\tRefused\thidden or system\r\n"));
}

TEST_F(CommandLineRun, PreviewChangesNothingAndListsWhatCleanWouldRemove) {
  machine.files.makeFolders("C:\\Reports");
  const platform::sim::MachineState before = platform::sim::captureMachine(machine);
  EXPECT_EQ(0, run("/preview /report:C:\\Reports\\p.txt"));
  const std::string report = read("C:\\Reports\\p.txt");
  EXPECT_EQ(
      "Item\tKind\tTarget\tBytes\tOutcome\tReason\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\a.tmp\t5\tTo remove\t\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\b.tmp\t5\tTo remove\t\r\n",
      report);
  ASSERT_EQ(0, machine.files.deleteFile("C:\\Reports\\p.txt"));
  EXPECT_EQ("", platform::sim::machineDifferences(before, platform::sim::captureMachine(machine)));
  EXPECT_TRUE(machine.shell.messageBoxes.empty());
  EXPECT_FALSE(app.frm.form.visible());
}

TEST_F(CommandLineRun, AReportInAMissingFolderFailsTheRun) {
  EXPECT_EQ(1, run("/clean /report:C:\\Missing\\r.txt"));
  EXPECT_FALSE(present("C:\\Missing"));
}

TEST_F(CommandLineRun, CleanWithoutPausesTakesNoTimeOfItsOwn) {
  settings::SaveSetting(machine.registry, "Quellery", "LastHistory", "chkWinSettings5", "1");
  settings::SaveSetting(machine.registry, "Quellery", "LastHistory", "chkIEsettings5", "1");
  const uint32_t start = now();
  EXPECT_EQ(0, run("/clean"));
  // The visible run pauses a second after each item.
  EXPECT_LT(now() - start, 500u);
  EXPECT_FALSE(present(temp + "\\a.tmp"));
}

// With no window to repaint and no Stop to click, a /clean answers Windows every few files
// (32) rather than after each: still during the walk, at a fraction of the cost.
TEST_F(CommandLineRun, AnUnattendedWalkAnswersWindowsEveryFewFilesNotAfterEachFile) {
  for (int i = 0; i < 640; ++i)
    ASSERT_EQ(0, machine.files.writeFile(temp + "\\f" + std::to_string(i) + ".tmp", "1"));
  auto filesLeft = [&] {
    std::vector<platform::FindData> found;
    machine.files.findFiles(temp + "\\*.tmp", &found);
    return static_cast<int>(found.size());
  };
  int leftWhenAnswered = -1;
  machine.loop.at(now() + 5, [&] { leftWhenAnswered = filesLeft(); });
  const uint64_t before = machine.loop.dispatchCount();
  EXPECT_EQ(0, run("/clean"));
  const uint64_t answers = machine.loop.dispatchCount() - before;
  EXPECT_GE(answers, 640u / 32);
  EXPECT_LT(answers, 640u / 8);
  EXPECT_GT(leftWhenAnswered, 0) << "answered only once the walk was over";
  EXPECT_LT(leftWhenAnswered, 642) << "answered before the walk began";
  EXPECT_EQ(0, filesLeft());
}

TEST_F(CommandLineRun, AnotherCopyRunningMeansNothingIsDone) {
  machine.system.otherInstance = true;
  EXPECT_EQ(2, run("/clean /report:C:\\r.txt"));
  EXPECT_TRUE(present(temp + "\\a.tmp"));
  EXPECT_TRUE(present(temp + "\\b.tmp"));
  EXPECT_FALSE(present("C:\\r.txt"));
  EXPECT_EQ(0, app.frm.chkWinSettings[7].value()) << "the stored ticks were not even read";
}

TEST_F(CommandLineRun, AReportThatCannotBeSavedFailsTheRunButLeavesAnOldReportWhole) {
  ASSERT_EQ(0, machine.files.writeFile("C:\\r.txt", "the last run's report"));
  machine.files.limitWrites(10);
  EXPECT_EQ(1, run("/clean /report:C:\\r.txt"));
  EXPECT_FALSE(present(temp + "\\a.tmp")) << "the cleaning itself went ahead";
  EXPECT_EQ("the last run's report", read("C:\\r.txt"));
  EXPECT_FALSE(present("C:\\r.txt.new"));
}

TEST_F(CommandLineRun, UsageAndMistakesShowTheUsageBoxAndCleanNothing) {
  EXPECT_EQ(0, run("/?"));
  EXPECT_EQ(1, run("/bogus"));
  ASSERT_EQ(2u, machine.shell.messageBoxes.size());
  for (const auto& box : machine.shell.messageBoxes) {
    EXPECT_EQ("Quellery", box.title);
    EXPECT_NE(std::string::npos, box.text.find("Quellery.exe /clean [/report:PATH]")) << box.text;
    EXPECT_NE(std::string::npos, box.text.find("2  another copy of Quellery is running")) << box.text;
  }
  EXPECT_EQ(0u, machine.shell.messageBoxes[1].text.rfind("Unknown switch: /bogus\r\n", 0));
  EXPECT_TRUE(present(temp + "\\a.tmp"));
  EXPECT_FALSE(app.frm.form.visible());
}

// Under Task Scheduler or "start /wait" nobody answers a box: a line asking for a run says
// what was wrong in its report, else in the log beside the program, and ends with 1.
TEST_F(CommandLineRun, ALineWithCleanOrPreviewNotUnderstoodShowsNoBoxAndSaysWhyInAFile) {
  const std::string log = "C:\\Program Files\\Quellery\\Quellery-commandline.log";
  machine.files.makeFolders("C:\\Program Files\\Quellery");
  const struct {
    const char* line;
    const char* file;
    const char* starts;
  } cases[] = {
      {"/clean /bogus /report:C:\\r.txt", "C:\\r.txt", "Unknown switch: /bogus\r\n"},
      {"/clean /bogus", log.c_str(), "Unknown switch: /bogus\r\n"},
      {"/preview", log.c_str(), "/preview writes its list to the file that /report:PATH names.\r\n"},
      {"/clean /report:C:\\a.txt /report:C:\\b.txt", log.c_str(), "Only one /report:PATH can be given.\r\n"},
      {"-CLEAN /?", log.c_str(), "Quellery.exe /clean [/report:PATH]\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(1, run(c.line));
    const std::string text = read(c.file);
    EXPECT_EQ(0u, text.rfind(c.starts, 0)) << text;
    EXPECT_NE(std::string::npos, text.find("2  another copy of Quellery is running")) << text;
    EXPECT_FALSE(present(std::string(c.file) + ".new"));
    ASSERT_EQ(0, machine.files.deleteFile(c.file));
  }
  EXPECT_TRUE(machine.shell.messageBoxes.empty());
  EXPECT_TRUE(present(temp + "\\a.tmp"));
}

// An item that gives up before its targets names what stopped it, so that the run is not
// taken for done: the report says why, the status list says so, and the exit code is 1.
TEST_F(CommandLineRun, AnItemThatGivesUpMakesTheRunEndWithOneAndSaysWhy) {
  settings::SaveSetting(machine.registry, "Quellery", "LastHistory", "chkWinSettings7", "0");
  const std::string keepList = "C:\\Program Files\\Quellery\\cookies.inf";
  machine.files.makeFolders("C:\\Program Files\\Quellery");
  ASSERT_EQ(0, machine.files.writeFile(keepList, "Cookie:me@beta.example/\r\n\r\n"));
  machine.files.lock(keepList);  // another program has it open
  machine.urlCache.addCookie("me@alpha.example", "C:\\Cookies");
  machine.urlHistory.add("http://alpha.example/", "Alpha");
  machine.urlHistory.createResult = platform::hresult::Fail;
  settings::SaveSetting(machine.registry, "Quellery", "LastHistory", "chkIEsettings8", "1");
  settings::SaveSetting(machine.registry, "Quellery", "LastHistory", "chkIEsettings4", "1");

  EXPECT_EQ(1, run("/clean /report:C:\\r.txt"));
  EXPECT_EQ(std::vector<std::string>{"Cookie:me@alpha.example/"}, machine.urlCache.urls());
  EXPECT_EQ(std::vector<std::string>{"http://alpha.example/"}, machine.urlHistory.urls());
  const std::string report = read("C:\\r.txt");
  EXPECT_NE(std::string::npos,
            report.find("Clean Cookies\tItem\tC:\\Program Files\\Quellery\\cookies.inf\t0\tFailed\t"
                        "the keep list cannot be read (Permission denied): no cookie can be told kept\r\n"))
      << report;
  EXPECT_NE(std::string::npos,
            report.find("Clean Internet History\tItem\tInternet Explorer's history\t0\tFailed\t"
                        "the history store cannot be opened: "))
      << report;
  ui::ListBox& status = app.frm.lstClean;
  std::vector<std::string> lines;
  for (int i = 0; i < status.listCount(); ++i) lines.push_back(status.list(i));
  EXPECT_EQ(0, std::count(lines.begin(), lines.end(), "Done...")) << ::testing::PrintToString(lines);
}

}  // namespace

#include <gtest/gtest.h>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "engine/Catalogue.h"
#include "program/Startup.h"

using engine::CleaningGroup;

namespace {

const std::string kSep(43, ' ');
const std::vector<std::string> kIdle = {"Quellery is ready", "Select cleaning options",
                                        "Click 'Start Cleaning' to begin cleaning process ",
                                        "or click 'Clean & Reboot' to reboot after cleaning"};

std::vector<std::string> closing(const char* message) {
  std::vector<std::string> out = {" ", " ", " ", message, " "};
  out.insert(out.end(), kIdle.begin(), kIdle.end());
  return out;
}

std::vector<std::string> itemLines(const char* status, const std::string& separator = kSep) {
  return {status, "Done...", separator};
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

bool allGrey(program::App& app) {
  for (const ui::Shape& cell : app.frm.cleaning.spProg)
    if (cell.fillColor() != ui::Shape::Grey) return false;
  return true;
}

class CleaningRun : public ::testing::Test, protected TestApp {
 protected:
  void tickEverything(int value = 1) {
    for (auto* group : {&app.frm.chkWinSettings, &app.frm.chkIEsettings, &app.frm.chkNSsettings, &app.frm.chkOPsettings})
      for (ui::CheckBox& box : *group) box.setValue(value);
  }
};

TEST_F(CleaningRun, NothingTickedWritesOnlyTheClosingLinesAndFillsTheBarInTime) {
  const uint32_t start = now();
  app::cmdClean_Click(app);
  EXPECT_EQ(lines(), closing("Cleaning Is Done."));
  EXPECT_TRUE(allGrey(app));
  // Two one-second pauses and seventeen half-second steps, served by a live event loop.
  const uint32_t elapsed = now() - start;
  EXPECT_GE(elapsed, 2000u + 17 * 500u);
  EXPECT_LT(elapsed, 2000u + 17 * 500u + 400u);
  EXPECT_GT(machine.loop.dispatchCount(), 19u);
  EXPECT_FALSE(app.flags.cleaningInProgress);
}

// Records the filled progress cells each time the status list says "Done...".
struct CellsAtDone : ui::ControlObserver {
  explicit CellsAtDone(program::App& app) : app(app) { ui::Control::setObserver(this); }
  ~CellsAtDone() override { ui::Control::setObserver(nullptr); }
  void controlChanged(ui::Control& control, ui::Change change, int detail) override {
    if (&control != &app.frm.lstClean || change != ui::Change::ItemAdded) return;
    if (app.frm.lstClean.list(detail) == "Done...") cells.push_back(app.flags.progress);
  }
  program::App& app;
  std::vector<int> cells;
};

TEST_F(CleaningRun, EveryItemRunsInCatalogueOrderAndAdvancesTwelveCells) {
  struct Row {
    const char* status;
    int cellsAfter;
    const char* separator;
  };
  const std::string sep = kSep;
  const std::vector<Row> expected = {
      {"Cleaning Recycle Bin...", 0, nullptr},
      {"Cleaning Recent RUN History...", 0, nullptr},
      {"Cleaning Recent Document List...", 0, nullptr},
      {"Cleaning Find File / Folder History...", 1, nullptr},
      {"Cleaning Registry Fragment Files...", 1, nullptr},
      {"Cleaning Clipboard...", 2, nullptr},
      {"Cleaning ScanDisk .Chk File...", 2, nullptr},
      {"Cleaning Windows Temp File Folder...", 3, nullptr},
      {"Cleaning Open / Save Dialog Box History...", 3, nullptr},
      {"Cleaning Search Computer History...", 4, nullptr},
      {"Cleaning Location Bar History...", 4, nullptr},
      {"Cleaning AutoComplete Forms Data...", 4, nullptr},
      {"Cleaning Temporary Internet Files (Cache)...", 5, nullptr},
      {"Cleaning AutoComplete Password Data...", 5, nullptr},
      {"Cleaning Internet History...", 6, nullptr},
      {"Cleaning URL Error Logs...", 7, nullptr},
      {"Cleaning Locked Index.dat...", 7, nullptr},
      {"Cleaning  Outlook Express Deleted Items...", 7, nullptr},
      {"Cleaning Cookies...", 7, nullptr},
      {"Disabling AutoComplete...", 7, nullptr},
      {"Cleaning Netscape Typed URL...", 8, nullptr},
      {"Cleaning Netscape Cache...", 8, nullptr},
      {"Cleaning Netscape Mail History...", 9, nullptr},
      {"Cleaning Netscape History...", 9, nullptr},
      {"Cleaning Netscape Cookies...", 10, nullptr},
      {"Cleaning Netscape AutoComplete Form...", 10, nullptr},
      {"Cleaning Opera Typed URL...", 11, nullptr},
      {"Cleaning Opera Cache...", 11, " "},
      {"Cleaning Opera Cookies...", 12, " "},
      {"Cleaning Opera History...", 12, nullptr},
      {"Cleaning Opera Session...", 12, nullptr},
      {"Cleaning Opera Download History...", 12, nullptr},
  };
  tickEverything();
  CellsAtDone watch(app);
  app::cmdClean_Click(app);
  const auto got = lines();
  ASSERT_EQ(got.size(), expected.size() * 3 + closing("").size());
  ASSERT_EQ(watch.cells.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].status, got[3 * i]) << "item " << i;
    EXPECT_EQ("Done...", got[3 * i + 1]) << expected[i].status;
    EXPECT_EQ(expected[i].separator ? expected[i].separator : sep, got[3 * i + 2]) << expected[i].status;
    EXPECT_EQ(expected[i].cellsAfter, watch.cells[i]) << expected[i].status;
  }
  EXPECT_EQ(got[3 * expected.size() + 3], "Cleaning Is Done.");
  EXPECT_EQ(app.flags.progress, 12);
  EXPECT_TRUE(allGrey(app));
}

TEST_F(CleaningRun, GreyTicksCountOnlyForOperaCacheAndCookies) {
  tickEverything(2);
  app::cmdClean_Click(app);
  EXPECT_EQ(lines(), concat({itemLines("Cleaning Opera Cache...", " "), itemLines("Cleaning Opera Cookies...", " "),
                             closing("Cleaning Is Done.")}));
}

TEST_F(CleaningRun, TheIssueExampleRunsWindowsIEAndOperaItemsInOrder) {
  app.frm.chkOPsettings[1].setValue(1);
  app.frm.chkIEsettings[4].setValue(1);
  app.frm.chkWinSettings[0].setValue(1);
  app::cmdClean_Click(app);
  EXPECT_EQ(lines(), concat({itemLines("Cleaning Recycle Bin..."), itemLines("Cleaning Internet History..."),
                             itemLines("Cleaning Opera Cache...", " "), closing("Cleaning Is Done.")}));
}

TEST_F(CleaningRun, ARefusedTempFolderIsReportedAsSkippedAndTheOtherItemsAsDone) {
  const std::string documents = "C:\\Documents and Settings\\User\\My Documents";
  machine.shell.specialFolders[5] = documents;
  machine.files.makeFolders(documents);
  machine.files.makeFolders("C:\\WINDOWS\\TEMP");
  ASSERT_EQ(machine.files.writeFile(documents + "\\letter.doc", "x"), 0);
  app.frm.chkWinSettings[0].setValue(1);
  app.frm.chkWinSettings[7].setValue(1);
  app.frm.chkIEsettings[4].setValue(1);
  const struct {
    std::string temp;
    const char* line;
  } cases[] = {
      {documents, "Skipped: the temp folder is one of your own folders"},
      {"C:\\Documents and Settings\\User\\", "Skipped: the temp folder holds other folders of yours"},
      {"C:\\", "Skipped: the temp folder is a whole drive"},
      {"\\\\server\\share\\temp", "Skipped: the temp folder is a link or a network folder"},
      {"Temp", "Skipped: the temp folder could not be found"},
      {"C:\\WINDOWS\\TEMP\\", "Done..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.temp);
    machine.system.temp = c.temp;
    app::cmdClean_Click(app);
    EXPECT_EQ(lines(), concat({itemLines("Cleaning Recycle Bin..."),
                               {"Cleaning Windows Temp File Folder...", c.line, kSep},
                               itemLines("Cleaning Internet History..."), closing("Cleaning Is Done.")}));
  }
  EXPECT_EQ(machine.files.getAttributes(documents + "\\letter.doc"), platform::fileattr::Archive);
}

TEST_F(CleaningRun, StopDuringThePauseAfterWindows2SkipsTheRest) {
  tickEverything();
  const uint32_t start = now();
  bool exitEnabledWhileStopping = true, rebootEnabledWhileStopping = false;
  // Two opening pauses, then one second per item: Windows 2's pause spans 4 s to 5 s.
  machine.loop.at(start + 4500, [&] { app.frm.cleaning.cmdStopCleaning.click(); });
  // Stop's own fill ends near 13 s; the run's closing fill follows it.
  machine.loop.at(start + 15000, [&] {
    exitEnabledWhileStopping = app.frm.cleaning.cmdExit.enabled();
    rebootEnabledWhileStopping = app.frm.cleaning.cmdReboot.enabled();
  });
  app::cmdClean_Click(app);
  EXPECT_EQ(lines(), concat({itemLines("Cleaning Recycle Bin..."), itemLines("Cleaning Recent RUN History..."),
                             itemLines("Cleaning Recent Document List..."), closing("Clean Aborted")}));
  EXPECT_FALSE(exitEnabledWhileStopping);
  EXPECT_FALSE(rebootEnabledWhileStopping) << "a click while the run winds down would do nothing";
  EXPECT_TRUE(app.frm.cleaning.cmdExit.enabled());
  EXPECT_TRUE(app.frm.cleaning.cmdReboot.enabled());
  EXPECT_TRUE(app.frm.cleaning.cmdClean.inFront());
  EXPECT_TRUE(allGrey(app));
}

TEST_F(CleaningRun, ButtonsAndPanicHintDuringARun) {
  app.frm.help.fraHelp.zOrder();
  bool stopInFront = false, hintShown = false, exitEnabled = true, cleaningPageInFront = false;
  machine.loop.at(now() + 1500, [&] {
    stopInFront = app.frm.cleaning.cmdStopCleaning.inFront();
    hintShown = app.frm.cleaning.fraPanic.visible();
    exitEnabled = app.frm.cleaning.cmdExit.enabled();
    cleaningPageInFront = app.frm.frontPage() == &app.frm.cleaning.fraCleaning;
  });
  app::cmdClean_Click(app);
  EXPECT_TRUE(stopInFront);
  EXPECT_TRUE(hintShown);
  EXPECT_FALSE(exitEnabled);
  EXPECT_TRUE(cleaningPageInFront);
  EXPECT_FALSE(app.frm.cleaning.fraPanic.visible());
  EXPECT_TRUE(app.frm.cleaning.cmdClean.inFront());
}

TEST_F(CleaningRun, AStartDuringARunIsRefused) {
  app.frm.chkWinSettings[0].setValue(1);
  machine.loop.at(now() + 2500, [&] { app.frm.cleaning.cmdClean.click(); });
  app::cmdClean_Click(app);
  EXPECT_EQ(lines(), concat({itemLines("Cleaning Recycle Bin..."), closing("Cleaning Is Done.")}));
}

TEST_F(CleaningRun, TheRebootRequestBelongsToOneRunHoweverItEnds) {
  app.frm.chkWinSettings[0].setValue(1);
  machine.loop.at(now() + 2500, [&] { app.frm.cleaning.cmdStopCleaning.click(); });
  app::cmdReboot_Click(app);
  EXPECT_EQ(lines()[3 + 3], "Clean Aborted");
  EXPECT_FALSE(app.flags.rebootAfterCleaning);
}

TEST_F(CleaningRun, ClosingTheWindowDuringARunEndsTheProgramAfterIt) {
  tickEverything();
  machine.loop.at(now() + 2500, [&] {
    program::Form_QueryUnload(app, 0);
    program::Form_Unload(app);
  });
  EXPECT_THROW(app::cmdClean_Click(app), platform::ProgramEnded);
  EXPECT_EQ(lines(), concat({itemLines("Cleaning Recycle Bin..."), closing("Clean Aborted")}));
}

TEST_F(CleaningRun, ThePassAloneLeavesListAndButtonsAlone) {
  app.frm.lstClean.addItem("earlier");
  app.frm.chkWinSettings[5].setValue(1);
  app::doClean(app);
  EXPECT_EQ(lines(), concat({{"earlier"}, itemLines("Cleaning Clipboard...")}));
  EXPECT_EQ(app.flags.progress, 1);
  EXPECT_TRUE(app.frm.cleaning.cmdClean.inFront());
}

}  // namespace

// What the user, the clock and Windows start inside a pass's yields: each answers for
// real (the pass set aside, whoever yielded), no window holds a run, every item runs once
// with its entry in the report, and a scheduled run that falls due during a preview is
// kept for when it is done.
#include <gtest/gtest.h>

#include <algorithm>

#include "RunStarts.h"
#include "TestApp.h"
#include "app/CleaningRun.h"
#include "app/Wait.h"
#include "engine/Catalogue.h"
#include "preview/frmPreview.h"
#include "program/Startup.h"
#include "report/ErrorReporter.h"
#include "schedule/RunEntry.h"
#include "settings/SettingsStore.h"
#include "ui/Control.h"

namespace {


constexpr char kTempFile[] = "C:\\WINDOWS\\TEMP\\left.tmp";
constexpr int kTempItem = 7;

int count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

class PassYields : public ::testing::Test, protected TestApp {
 protected:
  void SetUp() override {
    machine.desktop.open("Shell_TrayWnd", "");
    loadedAt = now();
    program::Form_Load(app);
    machine.files.makeFolders("C:\\WINDOWS\\TEMP");
    machine.files.writeFile(kTempFile, "left by a program");
  }
  bool tempFileThere() { return machine.files.getAttributes(kTempFile) != platform::fileattr::Invalid; }
  uint32_t loadedAt = 0;
};

TEST_F(PassYields, DuringARunPreviewAndReportDoNotOpenAndAPanicStillCleansAndEnds) {
  app.frm.chkWinSettings[kTempItem].setValue(1);
  app.frm.chkWinSettings[5].setValue(1);
  const uint32_t start = now();
  bool previewEnabled = true, reportEnabled = true;
  machine.loop.at(start + 1500, [&] {
    previewEnabled = app.frm.cleaning.cmdPreview.enabled();
    reportEnabled = app.frm.cleaning.cmdReport.enabled();
    app.frm.cleaning.cmdPreview.click();
    app.frm.cleaning.cmdReport.click();
  });
  pressPanicKeyAt(start + 2500);
  // Were a window to wait inside the run, this would be the first moment it closed.
  machine.loop.at(start + 600000, [&] { preview::UnloadPreview(app, app.frmPreview); });
  EXPECT_THROW(app::cmdClean_Click(app), platform::ProgramEnded);
  EXPECT_FALSE(previewEnabled);
  EXPECT_FALSE(reportEnabled);
  EXPECT_FALSE(app.frmPreview.loaded);
  EXPECT_LT(now() - start, 60000u) << "the run went on and the panic ended the program";
  EXPECT_FALSE(tempFileThere());
  EXPECT_TRUE(app.unloaded);
}

TEST_F(PassYields, ASessionEndingInTheErrorReportersWaitDuringAPreviewCleansForReal) {
  app.frm.chkWinSettings[kTempItem].setValue(1);
  app.frm.chkRun(2).setValue(1);  // clean when Windows shuts down
  bool asked = false;
  app::CollectPlan(app, [&](int, int) {
    if (asked) return;
    asked = true;
    // An item's failure goes to the maker; the reporter waits on the network, yielding.
    machine.loop.at(now(), [&] { program::SessionEnding(app); });
    report::ReportError(app.os, "doClean", 5, "Invalid procedure call");
  });
  EXPECT_TRUE(asked);
  EXPECT_FALSE(tempFileThere()) << "the shutdown pass cleaned, not only collected";
}

TEST_F(PassYields, AWindowClosedInTheErrorReportersWaitDuringAPreviewSavesWhatTheUserChose) {
  app.frm.chkWinSettings[kTempItem].setValue(1);
  machine.registry.setString(platform::hkey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                             schedule::runEntryName(), "\"C:\\Program Files\\Quellery\\Quellery.exe\" m");
  app.frm.chkRun(1).setValue(0);  // the user just unticked Run During Windows Start Up
  bool asked = false;
  app::CollectPlan(app, [&](int, int) {
    if (asked) return;
    asked = true;
    machine.loop.at(now(), [&] {
      program::Form_QueryUnload(app, 0);
      program::Form_Unload(app);
    });
    report::ReportError(app.os, "doClean", 5, "Invalid procedure call");
  });
  EXPECT_EQ(settings::GetSetting(machine.registry, "Quellery", "LastHistory", "chkRun1", "missing"), "0");
  EXPECT_FALSE(machine.registry.exists(platform::hkey::LocalMachine,
                                       "Software\\Microsoft\\Windows\\CurrentVersion\\Run", schedule::runEntryName()))
      << "the Run entry went with the tick";
  EXPECT_TRUE(tempFileThere()) << "the preview itself removed nothing";
}

TEST_F(PassYields, TheSessionEndingMidItemRunsEachItemOnceAndEveryItemHasItsEntry) {
  for (engine::CleaningGroup group : engine::kGroups)
    for (ui::CheckBox& box : app.frm.itemPage(group).items) box.setValue(1);
  for (int i = 0; i < 5; ++i)
    machine.files.writeFile("C:\\WINDOWS\\TEMP\\more" + std::to_string(i) + ".tmp", "x");
  RunStarts watch(app.frm.lstClean, *this);
  // Windows asks at the temp folder walk's first yield.
  watch.onLine = [&](const std::string& line) {
    if (line == "Cleaning Windows Temp File Folder...") machine.loop.at(now(), [&] { program::SessionEnding(app); });
  };
  app::cmdClean_Click(app);
  const auto got = lines();
  for (const engine::CleaningItem& item : engine::catalogue())
    EXPECT_EQ(count(got, item.statusText), 1) << item.statusText;
  ASSERT_EQ(app.lastRun.items.size(), engine::catalogue().size()) << "every item that ran has its entry";
  EXPECT_EQ(app.lastRun.items.back().caption, engine::catalogue().back().caption);
  EXPECT_FALSE(tempFileThere());
}

TEST_F(PassYields, AScheduledRunDueWhileAPreviewCollectsRunsOnceThePreviewIsDone) {
  app.frm.chkWinSettings[kTempItem].setValue(1);
  app.frm.chkRun(4).setValue(1);
  app.frm.OptSchedule[0].setValue(true);
  app.frm.txtMin.setText("1");
  RunStarts watch(app.frm.lstClean, *this);
  bool tempThereAfterPreview = false;
  // The preview's walk is held past the scheduler's first tick, a minute after start-up.
  machine.loop.at(now(), [&] { app::WaitSeconds(app.os, 65); });
  // Closed before the next minute's run.
  machine.loop.at(loadedAt + 100000, [&] { preview::UnloadPreview(app, app.frmPreview); });
  watch.onLine = [&](const std::string& line) {
    if (line == "Cleaning Windows Temp File Folder..." && watch.at.size() == 1) tempThereAfterPreview = tempFileThere();
  };
  preview::cmdPreview_Click(app, app.frmPreview);
  EXPECT_EQ(watch.at.size(), 1u) << "the run that fell due was kept, not dropped";
  EXPECT_TRUE(tempThereAfterPreview) << "the preview collected before the run cleaned";
  EXPECT_FALSE(tempFileThere());
  EXPECT_EQ(count(lines(), "Cleaning Is Done."), 1);
}

}  // namespace

// Where two paths meet: a panic, Windows ending the session, the scheduler's tick and the
// user's close or stop, each arriving inside another's pauses. Nothing starts inside a
// pass, nothing is cleaned twice or lost, a stop stays a stop, what the session chose is
// saved, and the minute clock counts on during a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "RunStarts.h"
#include "TestApp.h"
#include "app/CleaningRun.h"
#include "app/Wait.h"
#include "program/Startup.h"
#include "schedule/Scheduler.h"
#include "settings/SettingsStore.h"
#include "ui/Control.h"

namespace {


int count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

class PathsMeet : public ::testing::Test, protected TestApp {
 protected:
  void SetUp() override {
    machine.desktop.open("Shell_TrayWnd", "");
    loadedAt = now();
    program::Form_Load(app);
  }
  // Five Windows items: a pass of five one-second pauses.
  void tickFive() {
    for (int i : {0, 1, 2, 5, 6}) app.frm.chkWinSettings[i].setValue(1);
  }
  // "Run After Every" with a due interval: the scheduler's first tick, a minute after
  // start-up, would start a run.
  void scheduleEveryMinute() {
    app.frm.chkRun(4).setValue(1);
    app.frm.OptSchedule[0].setValue(true);
    app.frm.txtMin.setText("1");
  }
  std::string saved(const std::string& key) {
    return settings::GetSetting(machine.registry, "Quellery", "LastHistory", key, "missing");
  }
  uint32_t loadedAt = 0;
};

TEST_F(PathsMeet, ThePanicPassIsARunNoScheduledRunStartsInsideIt) {
  tickFive();
  scheduleEveryMinute();
  RunStarts runs(app.frm.lstClean, *this);
  // The pass spans the scheduler's first tick at 60 s.
  pressPanicKeyAt(loadedAt + 57500);
  app::WaitSeconds(app.os, 70);
  EXPECT_TRUE(runs.at.empty()) << "no run started inside the panic's pass";
  EXPECT_EQ(count(lines(), "Cleaning Recycle Bin..."), 1);
  EXPECT_EQ(count(lines(), "Cleaning Is Done."), 0);
  EXPECT_TRUE(app.unloaded);
  EXPECT_EQ(saved("chkWinSettings6"), "1") << "the panic's own unload saved the ticks";
}

TEST_F(PathsMeet, TheShutdownPassIsARunNoScheduledRunStartsInsideIt) {
  tickFive();
  scheduleEveryMinute();
  app.frm.chkRun(2).setValue(1);
  RunStarts runs(app.frm.lstClean, *this);
  // The scheduler's tick arrives while the pass is inside its first item.
  runs.onLine = [&](const std::string& line) {
    if (line == "Cleaning Recycle Bin...") schedule::timerScheduler_Timer(app);
  };
  program::SessionEnding(app);
  EXPECT_TRUE(runs.at.empty()) << "no run started inside the shutdown pass";
  EXPECT_EQ(count(lines(), "Cleaning Recycle Bin..."), 1);
  EXPECT_EQ(lines().front(), "Quellery is ready") << "the list was never cleared";
}

TEST_F(PathsMeet, ASessionEndingDuringARunCleansEveryTickedItemQuicklyBeforeTheEnd) {
  tickFive();
  uint32_t queryTook = 0;
  std::vector<std::string> atEnd;
  // During the pause after the first item.
  machine.loop.at(now() + 3500, [&] {
    const uint32_t asked = now();
    program::SessionEnding(app);
    queryTook = now() - asked;
  });
  machine.loop.at(now() + 3600, [&] {
    atEnd = lines();
    program::SessionEnded(app, true);
  });
  EXPECT_THROW(app::cmdClean_Click(app), platform::ProgramEnded);
  for (const char* item : {"Cleaning Recycle Bin...", "Cleaning Recent RUN History...",
                           "Cleaning Recent Document List...", "Cleaning Clipboard...", "Cleaning ScanDisk .Chk File..."})
    EXPECT_EQ(count(atEnd, item), 1) << item << " cleaned once before the session ended";
  EXPECT_LT(queryTook, 1000u) << "no one-second pauses while Windows waits for the answer";
  EXPECT_EQ(saved("chkWinSettings6"), "1");
}

TEST_F(PathsMeet, ACancelledSessionEndLetsTheRunFinishAtItsOwnPace) {
  tickFive();
  machine.loop.at(now() + 3500, [&] {
    program::SessionEnding(app);
    program::SessionEnded(app, false);
  });
  app::cmdClean_Click(app);
  EXPECT_EQ(count(lines(), "Cleaning ScanDisk .Chk File..."), 1) << "not cleaned a second time by the run";
  EXPECT_EQ(count(lines(), "Cleaning Is Done."), 1);
  EXPECT_FALSE(app.flags.sessionEnding);
}

TEST_F(PathsMeet, APanicDuringARunSavesTheTicksOfThisSession) {
  app.frm.chkWinSettings[6].setValue(1);
  const uint32_t start = now();
  pressPanicKeyAt(start + 2500);
  EXPECT_THROW(app::cmdClean_Click(app), platform::ProgramEnded);
  EXPECT_TRUE(app.unloaded);
  EXPECT_EQ(saved("chkWinSettings6"), "1");
  EXPECT_EQ(count(lines(), "Cleaning ScanDisk .Chk File..."), 1) << "one pass only";
}

TEST_F(PathsMeet, ACloseDuringTheScheduledSweepCancelsTheRunThatWouldFollow) {
  machine.files.makeFolders("C:\\Wipe");
  machine.files.writeFile("C:\\Wipe\\old.txt", "old");
  machine.registry.setString(platform::hkey::CurrentUser, "SOFTWARE\\Quellery\\Sheredder", "ShredFolder", "C:\\Wipe");
  program::Form_Activate(app);
  machine.system.setLocalTime({2026, 12, 8, 2, 14, 29, 30});
  app.frm.chkRun(4).setValue(1);
  app.frm.OptSchedule[1].setValue(true);
  app.frm.chkSchedule[0].setValue(1);
  app.frm.dtpTime.setTime(14, 30);
  bool closed = false;
  // The user closes the window while the sweep yields.
  machine.files.beforeSetLength = [&](const std::string&) {
    if (closed) return;
    closed = true;
    program::Form_QueryUnload(app, 0);
    program::Form_Unload(app);
  };
  RunStarts runs(app.frm.lstClean, *this);
  app::WaitSeconds(app.os, 61);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(runs.at.empty()) << "no hidden run after the user closed the program";
}

TEST_F(PathsMeet, TheMinuteClockCountsDuringARun) {
  app.frm.chkWinSettings[0].setValue(1);
  app.frm.chkRun(4).setValue(1);
  app.frm.OptSchedule[0].setValue(true);
  app.frm.txtMin.setText("3");
  RunStarts runs(app.frm.lstClean, *this);
  // The first run (at 3 minutes) is held 150 s by a long item: it lasts about 2.6 minutes.
  machine.loop.at(loadedAt + 182000, [&] { app::WaitSeconds(app.os, 150); });
  app::WaitSeconds(app.os, 7 * 60);
  ASSERT_GE(runs.at.size(), 2u);
  EXPECT_NEAR(static_cast<double>(runs.at[0] - loadedAt), 180000.0, 1000.0);
  EXPECT_NEAR(static_cast<double>(runs.at[1] - loadedAt), 360000.0, 1000.0) << "three minutes after the first";
}

TEST_F(PathsMeet, APanicLeavesAStoppedRunStopped) {
  tickFive();
  const uint32_t start = now();
  // Stop in the pause after the first item, the panic a moment later while it winds down.
  machine.loop.at(start + 2500, [&] { app.frm.cleaning.cmdStopCleaning.click(); });
  pressPanicKeyAt(start + 3000);
  EXPECT_THROW(app::cmdClean_Click(app), platform::ProgramEnded);
  EXPECT_EQ(count(lines(), "Cleaning Recycle Bin..."), 1);
  EXPECT_EQ(count(lines(), "Cleaning Recent RUN History..."), 0);
  EXPECT_EQ(count(lines(), "Clean Aborted"), 1);
}

}  // namespace

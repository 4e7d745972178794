#include <gtest/gtest.h>

#include "TestApp.h"
#include "app/Wait.h"
#include "program/Startup.h"
#include "schedule/Scheduler.h"
#include "ui/Control.h"

using platform::LocalTime;

namespace {

// Tells apart a cleaning run (it empties the status list first) and a shred-folder sweep
// (it cuts each file it shreds), in the order they happen.
class Events : public ui::ControlObserver {
 public:
  explicit Events(const ui::Control& list) : list_(list) {}
  void controlChanged(ui::Control& control, ui::Change change, int) override {
    if (&control == &list_ && change == ui::Change::ItemsCleared) order.push_back("run");
  }
  int runs() const { return static_cast<int>(std::count(order.begin(), order.end(), "run")); }
  std::vector<std::string> order;

 private:
  const ui::Control& list_;
};

class Scheduler : public ::testing::Test, protected TestApp {
 protected:
  Scheduler() : events(app.frm.lstClean) {
    ui::Control::setObserver(&events);
    machine.files.makeFolders(machine.system.programDir);
    machine.files.beforeSetLength = [this](const std::string&) { events.order.push_back("sweep"); };
  }
  ~Scheduler() override { ui::Control::setObserver(nullptr); }

  // Starts the program at the given wall-clock time; its clock ticks a minute later.
  void start(const LocalTime& time) {
    machine.system.setLocalTime(time);
    program::Form_Load(app);
    f.chkRun(4).setValue(1);
  }
  void every(const std::string& minutes) {
    f.OptSchedule[0].setValue(true);
    f.txtMin.setText(minutes);
  }
  void minutes(double count) { app::WaitSeconds(app.os, count * 60); }
  void seedShredFolder() {
    machine.files.makeFolders("C:\\Wipe");
    machine.files.writeFile("C:\\Wipe\\old.txt", "old");
    machine.registry.setString(platform::hkey::CurrentUser, "SOFTWARE\\Quellery\\Sheredder", "ShredFolder", "C:\\Wipe");
    program::Form_Activate(app);
  }

  app::MainWindow& f = app.frm;
  Events events;
};

const LocalTime kTuesdayNine{2026, 12, 8, 2, 9, 0, 30};

TEST_F(Scheduler, IntervalRunsOnTheTenthTickAndTenTicksAfterEachRun) {
  start(kTuesdayNine);
  every("10");
  minutes(9.5);
  EXPECT_EQ(events.runs(), 0);
  minutes(1);
  EXPECT_EQ(events.runs(), 1);
  minutes(9.5);
  EXPECT_EQ(events.runs(), 1);
  minutes(1);
  EXPECT_EQ(events.runs(), 2);
}

TEST_F(Scheduler, MinutesOfNothingRunOnEveryTick) {
  start(kTuesdayNine);
  minutes(0.5);  // between ticks
  for (const char* text : {"0", "", "abc"}) {
    SCOPED_TRACE(text);
    const int before = events.runs();
    every(text);
    minutes(3);
    EXPECT_EQ(events.runs() - before, 3);
  }
}

TEST_F(Scheduler, OffForAnHourThenOnRunsOnTheNextTick) {
  start(kTuesdayNine);
  f.chkRun(4).setValue(0);
  EXPECT_FALSE(f.OptSchedule[0].value());
  minutes(60);
  EXPECT_EQ(events.runs(), 0);
  f.chkRun(4).setValue(1);
  every("10");
  minutes(1);
  EXPECT_EQ(events.runs(), 1);
}

TEST_F(Scheduler, DailyTimeMatchesItsOwnMinuteOnly) {
  start({2026, 12, 8, 2, 14, 29, 30});
  f.OptSchedule[1].setValue(true);
  f.chkSchedule[0].setValue(1);
  f.dtpTime.setTime(2, 30);  // morning: not 14:30
  minutes(3);
  EXPECT_EQ(events.runs(), 0);
  machine.system.setLocalTime({2026, 12, 8, 2, 14, 29, 10});
  f.dtpTime.setTime(14, 30);
  minutes(3);
  EXPECT_EQ(events.runs(), 1);
}

TEST_F(Scheduler, WeeklyMonthlyAndMissingDayRules) {
  start(kTuesdayNine);
  f.OptSchedule[1].setValue(true);
  f.chkSchedule[1].setValue(1);
  f.cmbWeek.setListIndex(2);  // TUE
  f.dtpWeek.setTime(9, 0);
  EXPECT_TRUE(schedule::timedRuleDue(app, {2026, 12, 8, 2, 9, 0, 59}));
  EXPECT_FALSE(schedule::timedRuleDue(app, {2026, 12, 7, 1, 9, 0, 0})) << "a Monday";
  EXPECT_FALSE(schedule::timedRuleDue(app, {2026, 12, 8, 2, 9, 1, 0}));
  EXPECT_FALSE(schedule::timedRuleDue(app, {2026, 12, 8, 2, 21, 0, 0}));
  f.cmbWeek.setListIndex(-1);
  EXPECT_FALSE(schedule::timedRuleDue(app, {2026, 12, 8, 2, 9, 0, 0})) << "no weekday chosen";

  // Only "Every Month": the first of the chosen month at the daily time.
  f.chkSchedule[1].setValue(0);
  f.chkSchedule[2].setValue(1);
  f.cmbMonth.setListIndex(11);  // DEC
  f.dtpTime.setTime(12, 0);
  EXPECT_TRUE(schedule::timedRuleDue(app, {2026, 12, 1, 2, 12, 0, 0}));
  EXPECT_FALSE(schedule::timedRuleDue(app, {2026, 12, 8, 2, 12, 0, 0})) << "not the first";
  EXPECT_FALSE(schedule::timedRuleDue(app, {2026, 12, 1, 2, 12, 1, 0}));
  f.cmbMonth.setListIndex(0);  // JAN
  EXPECT_FALSE(schedule::timedRuleDue(app, {2026, 12, 1, 2, 12, 0, 0}));
  EXPECT_TRUE(schedule::timedRuleDue(app, {2027, 1, 1, 5, 12, 0, 0}));
}

TEST_F(Scheduler, BothRulesInOneMinuteGiveOneRunAfterTheSweep) {
  seedShredFolder();
  start({2026, 12, 8, 2, 8, 59, 30});
  f.OptSchedule[1].setValue(true);
  f.chkSchedule[0].setValue(1);
  f.chkSchedule[1].setValue(1);
  f.dtpTime.setTime(9, 0);
  f.dtpWeek.setTime(9, 0);
  f.cmbWeek.setListIndex(2);
  minutes(3);
  EXPECT_EQ(events.order, (std::vector<std::string>{"sweep", "run"}));
}

TEST_F(Scheduler, ATypedWeekdayLeavesTheChosenDayInForce) {
  start(kTuesdayNine);
  f.OptSchedule[1].setValue(true);
  f.chkSchedule[1].setValue(1);
  f.cmbWeek.setListIndex(2);  // TUE
  f.dtpWeek.setTime(9, 1);
  f.cmbWeek.setText("Tuesday");  // typed: not an entry of the list
  EXPECT_EQ(f.cmbWeek.listIndex(), 2);
  minutes(1.5);
  EXPECT_EQ(events.runs(), 1) << "the weekly rule still fires";
}

TEST_F(Scheduler, IntervalRunSweepsAfterTheRun) {
  seedShredFolder();
  start(kTuesdayNine);
  every("1");
  minutes(1.5);
  EXPECT_EQ(events.order, (std::vector<std::string>{"run", "sweep"}));
  EXPECT_EQ(machine.files.getAttributes("C:\\Wipe\\old.txt"), platform::fileattr::Invalid);
}

TEST_F(Scheduler, ABlockedMinuteIsNotCaughtUp) {
  start({2026, 12, 8, 2, 14, 29, 30});
  f.OptSchedule[1].setValue(true);
  f.chkSchedule[0].setValue(1);
  f.dtpTime.setTime(14, 30);
  const int32_t counter = app.minuteCounter;
  // The window dispatches nothing from 14:29:30 to 14:32:30.
  // The one blocked dispatch ends before the ticks it lets through yield in turn.
  machine.loop.at(now(), [&] { machine.loop.dispatchCostMs = 1; });
  machine.loop.dispatchCostMs = 3 * 60000;
  machine.loop.doEvents();
  minutes(3.5);
  EXPECT_EQ(events.runs(), 0);
  EXPECT_EQ(app.minuteCounter - counter, 4) << "one tick for the blocked minutes, three after";
}

TEST_F(Scheduler, AMinuteDueDuringARunIsSkippedAndNotQueued) {
  seedShredFolder();
  start(kTuesdayNine);
  every("2");
  app.minuteCounter = 5;
  app.flags.cleaningInProgress = true;
  schedule::timerScheduler_Timer(app);
  EXPECT_EQ(app.minuteCounter, 0);
  EXPECT_TRUE(events.order.empty());
  app.flags.cleaningInProgress = false;
  minutes(1);
  EXPECT_TRUE(events.order.empty());
  minutes(1);
  EXPECT_EQ(events.runs(), 1);
}

}  // namespace

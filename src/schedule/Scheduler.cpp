#include "schedule/Scheduler.h"

#include <string>

#include "app/CleaningRun.h"
#include "app/Session.h"
#include "erase/WalkRules.h"
#include "report/RuntimeError.h"
#include "settings/SettingsStore.h"
#include "settings/ValueText.h"
#include "shredder/ShredFolder.h"

namespace schedule {

using report::resumeNext;

namespace {

// The same minute of the day. Compared as numbers, not as "hh:mm ampm" texts: where the
// system's morning and afternoon designators are empty (24-hour locales) the texts of
// 02:30 and 14:30 would be equal.
bool sameMinute(const platform::LocalTime& now, const ui::TimePicker& time) {
  return now.hour == time.hour() && now.minute == time.minute();
}

bool ticked(const ui::CheckBox& box) { return box.value() == 1; }

// Nothing scheduled starts inside a run, a panic or a sweep, nor once the window was
// closed: a close or a panic during the sweep cancels the run that would follow it.
bool mayStart(const app::Session& session) {
  return app::passMayStart(session) && !session.sweeping;
}

void startRun(app::Session& session) {
  if (mayStart(session)) app::cmdClean_Click(session);
}

void sweep(app::Session& session) {
  if (!mayStart(session)) return;
  erase::FlagHeld held(session.sweeping);
  shredder::SweepShredFolder(session);
}

// The timed rules sweep first, the interval rule after the run.
void startDue(app::Session& session, bool sweepFirst) {
  if (sweepFirst) resumeNext([&] { sweep(session); });
  resumeNext([&] { startRun(session); });
  if (!sweepFirst) resumeNext([&] { sweep(session); });
}

// Due now: started, or, while a preview collects (which changes nothing), kept for when
// it is done. A run or a sweep under way skips the minute.
void due(app::Session& session, bool sweepFirst) {
  session.minuteCounter = 0;
  if (session.flags.collectionUnderWay && !session.panicking && !session.unloaded) {
    session.scheduledAfterCollecting = sweepFirst ? app::Session::DueRun::SweepFirst
                                                  : app::Session::DueRun::RunFirst;
    return;
  }
  if (mayStart(session)) startDue(session, sweepFirst);
}

}  // namespace

bool timedRuleDue(app::Session& session, const platform::LocalTime& now) {
  app::MainWindow& f = session.frm;
  bool due = false;
  resumeNext([&] { due = due || (ticked(f.chkSchedule[0]) && sameMinute(now, f.dtpTime)); });
  resumeNext([&] {
    const int day = f.cmbWeek.listIndex();
    due = due || (ticked(f.chkSchedule[1]) && day >= 0 && now.dayOfWeek == day && sameMinute(now, f.dtpWeek));
  });
  resumeNext([&] {
    const int month = f.cmbMonth.listIndex();
    due = due || (ticked(f.chkSchedule[2]) && month >= 0 && now.month == month + 1 && now.day == 1 &&
                  sameMinute(now, f.dtpTime));
  });
  return due;
}

bool intervalRuleDue(app::Session& session) {
  app::MainWindow& f = session.frm;
  if (!f.OptSchedule[0].value()) return false;
  return settings::leadingNumber(f.txtMin.text()) <= session.minuteCounter;
}

void timerScheduler_Timer(app::Session& session) {
  app::MainWindow& f = session.frm;
  erase::yieldOnce(session.run());
  ++session.minuteCounter;
  bool on = false;
  resumeNext([&] { on = ticked(f.chkRun(4)); });
  if (!on) return;
  if (f.OptSchedule[1].value()) {
    bool timed = false;
    resumeNext([&] { timed = timedRuleDue(session, session.os.system.localTime()); });
    if (timed) due(session, true);
    return;
  }
  bool interval = false;
  resumeNext([&] { interval = intervalRuleDue(session); });
  if (interval) due(session, false);
}

void StartRunDueAfterCollecting(app::Session& session) {
  const app::Session::DueRun kept = session.scheduledAfterCollecting;
  session.scheduledAfterCollecting = app::Session::DueRun::None;
  if (kept != app::Session::DueRun::None && mayStart(session))
    startDue(session, kept == app::Session::DueRun::SweepFirst);
}

void chkRun_Click(app::Session& session, int) {
  resumeNext([&] {
    app::MainWindow& f = session.frm;
    if (f.chkRun(4).value() == 1) {
      for (ui::OptionButton& option : f.OptSchedule) option.setEnabled(true);
      f.cmbWeek.setEnabled(false);
      f.dtpWeek.setEnabled(false);
      f.cmbMonth.setEnabled(false);
      return;
    }
    for (ui::OptionButton& option : f.OptSchedule) {
      option.setEnabled(false);
      option.setValue(false);
    }
    for (ui::CheckBox& kind : f.chkSchedule) kind.setEnabled(false);
    for (ui::Control* control : {static_cast<ui::Control*>(&f.UpDown1), static_cast<ui::Control*>(&f.dtpTime),
                                 static_cast<ui::Control*>(&f.txtMin), static_cast<ui::Control*>(&f.cmbWeek),
                                 static_cast<ui::Control*>(&f.dtpWeek), static_cast<ui::Control*>(&f.cmbMonth)})
      control->setEnabled(false);
  });
}

void OptSchedule_Click(app::Session& session, int) {
  resumeNext([&] {
    app::MainWindow& f = session.frm;
    bool timePicker = false, interval = false, timed = true;
    if (f.OptSchedule[0].value() && f.chkRun(4).value() == 1) {
      interval = true;
      timed = false;
    } else if (f.OptSchedule[1].value()) {
      timePicker = true;
    }
    f.dtpTime.setEnabled(timePicker);
    f.UpDown1.setEnabled(interval);
    f.txtMin.setEnabled(interval);
    for (ui::CheckBox& kind : f.chkSchedule) kind.setEnabled(timed);
    f.cmbWeek.setEnabled(timed);
    f.dtpWeek.setEnabled(timed);
    f.cmbMonth.setEnabled(timed);
  });
}

void cmbWeek_Click(app::Session& session) {
  resumeNext([&] {
    settings::SaveSetting(session.os.registry, settings::kAppName, "MViewer", "CmbListIndexW",
                          std::to_string(session.frm.cmbWeek.listIndex()));
  });
}

void cmbMonth_Change(app::Session& session) {
  resumeNext([&] {
    settings::SaveSetting(session.os.registry, settings::kAppName, "MViewer", "CmbListIndexM",
                          std::to_string(session.frm.cmbMonth.listIndex()));
  });
}

}  // namespace schedule

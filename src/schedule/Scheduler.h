#pragma once
// The schedule page's one-minute clock and its rules, its enabling rules, and its two
// lists, which save their position at once.

namespace app {
struct Session;
}

namespace platform {
struct LocalTime;
}

namespace schedule {

// The clock tick: counts the minute (during a run too) and, when the page makes a run due, sweeps the shred
// folder and starts a cleaning run (the timed rules sweep first, the interval rule after
// the run). A minute that falls due while a run is going is skipped, not kept for later;
// one that falls due while a preview collects is kept until the preview is done.
void timerScheduler_Timer(app::Session& session);
// The preview's collection is done: the scheduled run that fell due meanwhile starts.
void StartRunDueAfterCollecting(app::Session& session);

// The timed rules at `now`: "Every day" at dtpTime, "Every Week" on cmbWeek's day at
// dtpWeek, "Every Month" on the first day of cmbMonth's month at dtpTime.
bool timedRuleDue(app::Session& session, const platform::LocalTime& now);
// The interval rule: the minutes in txtMin (its leading number) have passed.
bool intervalRuleDue(app::Session& session);

// Any chkRun tick changed: the scheduling switch chkRun(4) enables or clears the page.
void chkRun_Click(app::Session& session, int index);
// An option button was selected: enables the controls of the chosen rule.
void OptSchedule_Click(app::Session& session, int index);
// The weekday or month list changed: its index goes to the store straight away.
void cmbWeek_Click(app::Session& session);
void cmbMonth_Change(app::Session& session);

}  // namespace schedule

#pragma once
// The schedule page's one-minute clock and its rules, its enabling rules, and its two
// lists, which save their position at once.

namespace app {
class App;
}

namespace platform {
struct LocalTime;
}

namespace schedule {

// The clock tick: counts the minute (during a run too) and, when the page makes a run due, sweeps the shred
// folder and starts a cleaning run (the timed rules sweep first, the interval rule after
// the run). A minute that falls due while a run is going is skipped, not kept for later.
void timerScheduler_Timer(app::App& app);

// The timed rules at `now`: "Every day" at dtpTime, "Every Week" on cmbWeek's day at
// dtpWeek, "Every Month" on the first day of cmbMonth's month at dtpTime.
bool timedRuleDue(app::App& app, const platform::LocalTime& now);
// The interval rule: the minutes in txtMin (its leading number) have passed.
bool intervalRuleDue(app::App& app);

// Any chkRun tick changed: the scheduling switch chkRun(4) enables or clears the page.
void chkRun_Click(app::App& app, int index);
// An option button was selected: enables the controls of the chosen rule.
void OptSchedule_Click(app::App& app, int index);
// The weekday or month list changed: its index goes to the store straight away.
void cmbWeek_Click(app::App& app);
void cmbMonth_Change(app::App& app);

}  // namespace schedule

#pragma once
// The schedule page's enabling rules and its two lists, which save their position at once.

namespace app {
class App;
}

namespace schedule {

// Any chkRun tick changed: the scheduling switch chkRun(4) enables or clears the page.
void chkRun_Click(app::App& app, int index);
// An option button was selected: enables the controls of the chosen rule.
void OptSchedule_Click(app::App& app, int index);
// The weekday or month list changed: its index goes to the store straight away.
void cmbWeek_Click(app::App& app);
void cmbMonth_Change(app::App& app);

}  // namespace schedule

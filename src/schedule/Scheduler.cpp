#include "schedule/Scheduler.h"

#include <string>

#include "app/App.h"
#include "report/RuntimeError.h"
#include "settings/SavedSelections.h"
#include "settings/SettingsStore.h"

namespace schedule {

using report::resumeNext;

void chkRun_Click(app::App& app, int) {
  resumeNext([&] {
    app::MainWindow& f = app.frm;
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

void OptSchedule_Click(app::App& app, int) {
  resumeNext([&] {
    app::MainWindow& f = app.frm;
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

void cmbWeek_Click(app::App& app) {
  resumeNext([&] {
    settings::SaveSetting(app.os.registry, settings::kAppName, "MViewer", "CmbListIndexW",
                          std::to_string(app.frm.cmbWeek.listIndex()));
  });
}

void cmbMonth_Change(app::App& app) {
  resumeNext([&] {
    settings::SaveSetting(app.os.registry, settings::kAppName, "MViewer", "CmbListIndexM",
                          std::to_string(app.frm.cmbMonth.listIndex()));
  });
}

}  // namespace schedule

#include "app/App.h"

#include "app/Startup.h"
#include "engine/CleaningRun.h"
#include "app/SettingsTree.h"

namespace app {

App::App(platform::Platform& os) : os(os) {
  for (ui::Timer* timer : {&frm.timeHide, &frm.timPanic, &frm.timeHardWare, &frm.timerScheduler})
    timer->attach(&os.loop);
  MainWindow& f = frm;
  f.cleaning.cmdClean.onClick = [this] { engine::cmdClean_Click(*this); };
  f.cleaning.cmdStopCleaning.onClick = [this] { engine::cmdStopCleaning_Click(*this); };
  f.cleaning.cmdReboot.onClick = [this] { engine::cmdReboot_Click(*this); };
  f.cleaning.cmdExit.onClick = [this] { cmdExit_Click(*this); };
  f.help.Label11.onClick = [this] { Label11_Click(*this); };
  f.help.Label13.onClick = [this] { Label13_Click(*this); };
  f.tvw1.onClick = [this] { tvw1_Click(*this); };
  f.tvw1.onExpand = [this](int node) { tvw1_Expand(*this, node); };
  f.tvw1.onCollapse = [this](int node) { tvw1_Collapse(*this, node); };
}

}  // namespace app

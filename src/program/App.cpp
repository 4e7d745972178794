#include "program/App.h"

#include "app/CleaningRun.h"
#include "app/CookieSites.h"
#include "cookies/CookieKeeper.h"
#include "custom/frmCustom.h"
#include "panic/PanicKey.h"
#include "preview/frmPreview.h"
#include "program/SavedSelections.h"
#include "program/SettingsTree.h"
#include "program/Startup.h"
#include "schedule/HotKeys.h"
#include "schedule/Scheduler.h"
#include "shredder/ShredFolder.h"
#include "shredder/Shredder.h"
#include "shredder/WipePage.h"
#include "sysinfo/HardwareInfo.h"
#include "upgrade/Upgrade.h"

namespace program {

App::App(platform::Platform& os) : app::Session(os) {
  unload = [this] { Form_Unload(*this); };
  saveSelection = [this] { saveLastSelection(*this); };
  for (ui::Timer* timer : {&frm.timeHide, &frm.timPanic, &frm.timeHardWare, &frm.timerScheduler})
    timer->attach(&os.loop);
  app::MainWindow& f = frm;
  f.cleaning.cmdClean.onClick = [this] { app::cmdClean_Click(*this); };
  f.cleaning.cmdStopCleaning.onClick = [this] { app::cmdStopCleaning_Click(*this); };
  f.cleaning.cmdReboot.onClick = [this] { app::cmdReboot_Click(*this); };
  f.cleaning.cmdExit.onClick = [this] { cmdExit_Click(*this); };
  f.cleaning.cmdPreview.onClick = [this] { preview::cmdPreview_Click(*this, frmPreview); };
  f.cleaning.cmdReport.onClick = [this] { preview::cmdReport_Click(*this, frmPreview); };
  f.help.Label11.onClick = [this] { Label11_Click(*this); };
  f.help.Label13.onClick = [this] { Label13_Click(*this); };
  f.cookies.cmdGetCache.onClick = [this] { cookies::cmdGetCache_Click(run(), frm.cookies); };
  f.cookieSites.cmdGetSites.onClick = [this] { app::cmdGetSites_Click(*this); };
  f.cookieSites.lstSites.onClick = [this] { app::lstSites_Click(*this); };
  f.cookies.cmdDeleteSelected.onClick = [this] { cookies::cmdDeleteSelected_Click(run(), frm.cookies); };
  f.cookies.cmdDeleteAllCache.onClick = [this] { cookies::cmdDeleteAllCache_Click(run(), frm.cookies); };
  f.tvw1.onClick = [this] { tvw1_Click(*this); };
  f.tvw1.onExpand = [this](int node) { tvw1_Expand(*this, node); };
  f.tvw1.onCollapse = [this](int node) { tvw1_Collapse(*this, node); };

  f.windows.selectAll.onClick = [this] { program::cmdSelectAllWin_Click(*this); };
  f.windows.deselectAll.onClick = [this] { program::cmdDeselectAllWin_Click(*this); };
  f.ie.selectAll.onClick = [this] { program::cmdSelectAllIE_Click(*this); };
  f.ie.deselectAll.onClick = [this] { program::cmdDestAllIE_Click(*this); };
  f.netscape.selectAll.onClick = [this] { program::cmdSellectAllNet_Click(*this); };
  f.netscape.deselectAll.onClick = [this] { program::cmdDesellectAllNet_Click(*this); };
  f.opera.selectAll.onClick = [this] { program::cmdselectAllOP_Click(*this); };
  f.opera.deselectAll.onClick = [this] { program::cmdDeselectAllOP_Click(*this); };
  using G = engine::CleaningGroup;
  for (G group : {G::Firefox, G::Chrome, G::Safari, G::Applications}) {
    f.itemPage(group).selectAll.onClick = [this, group] { program::selectAll_Click(*this, group, 1); };
    f.itemPage(group).deselectAll.onClick = [this, group] { program::selectAll_Click(*this, group, 0); };
  }
  f.Check1.onClick = [this] { program::Check1_Click(*this); };
  for (int i = 0; i <= 4; ++i) f.chkRun(i).onClick = [this, i] { schedule::chkRun_Click(*this, i); };
  for (int i = 0; i < 2; ++i) f.OptSchedule[i].onClick = [this, i] { schedule::OptSchedule_Click(*this, i); };
  f.cmbWeek.onClick = [this] { schedule::cmbWeek_Click(*this); };
  // The month list's text changes with its selection.
  f.cmbMonth.onClick = [this] { schedule::cmbMonth_Change(*this); };
  f.timerScheduler.onTimer = [this] { schedule::timerScheduler_Timer(*this); };
  // The minute clock counts on while its own tick holds a run.
  f.timerScheduler.ticksWhileBusy = true;
  app::ShredderPage& shred = f.shredder;
  shred.cmdFileBrowse.onClick = [this] { shredder::cmdFileBrowse_Click(*this); };
  shred.cmdDelSelected.onClick = [this] { shredder::cmdDelSelected_Click(*this); };
  shred.cmdShredClear.onClick = [this] { shredder::cmdShredClear_Click(*this); };
  shred.cmdShredBrowse.onClick = [this] { shredder::cmdShredBrowse_Click(*this); };
  shred.Command2.onClick = [this] { shredder::Command2_Click(*this); };
  shred.cmdWipeFree.onClick = [this] { shredder::cmdWipeFree_Click(*this); };
  shred.cmdWipeStop.onClick = [this] { shredder::cmdWipeStop_Click(*this); };
  f.startUp.cmbPanOK.onClick = [this] { panic::cmbPanOK_Click(*this); };
  f.cookies.cmdIEcustSettings.onClick = [this] { custom::cmdIEcustSettings_Click(*this, frmCustom, favouritesWatch); };
  custom::CustomWindow& c = frmCustom;
  c.form.onClose = [this] { custom::UnloadCustom(*this, frmCustom); };
  c.cmdSet.onClick = [this] { custom::cmdSet_Click(*this, frmCustom); };
  c.cmdUseBlank.onClick = [this] { custom::cmdUseBlank_Click(*this, frmCustom); };
  c.cmdEnableAutoBookMark.onClick = [this] { custom::cmdEnableAutoBookMark_Click(*this, frmCustom, favouritesWatch); };
  c.cmdDisableAutoBookMark.onClick = [this] {
    custom::cmdDisableAutoBookMark_Click(*this, frmCustom, favouritesWatch);
  };
  preview::PreviewWindow& p = frmPreview;
  p.form.onClose = [this] { preview::UnloadPreview(*this, frmPreview); };
  p.cmdClose.onClick = [this] { preview::UnloadPreview(*this, frmPreview); };
  p.cmdStop.onClick = [this] { preview::cmdStop_Click(*this, frmPreview); };
  p.cmdCollect.onClick = [this] { preview::cmdCollect_Click(*this, frmPreview); };
  p.cmdLastRun.onClick = [this] { preview::cmdLastRun_Click(*this, frmPreview); };
  p.cmdSave.onClick = [this] { preview::cmdSave_Click(*this, frmPreview); };
  p.lvwItems.onDblClick = [this] { preview::lvwItems_DblClick(frmPreview); };
  f.timeHardWare.onTimer = [this] { hardware::timeHardWare_Timer(*this); };
  f.timeHide.onTimer = [this] { schedule::timeHide_Timer(*this); };
  f.timPanic.onTimer = [this] { panic::timPanic_Timer(*this); };
  f.upgrade.cmdUpgrade.onClick = [this] { upgrade::cmdUpgrade_Click(*this); };
  f.upgrade.cmdChkUpgrade.onClick = [this] { upgrade::cmdChkUpgrade_Click(*this); };
}

}  // namespace program

#pragma once
// frmMain: the program's main window as a model of its controls.
#include <string>

#include "app/Pages.h"
#include "cookies/CookieViewer.h"
#include "engine/Catalogue.h"
#include "ui/Controls.h"
#include "ui/Timer.h"
#include "ui/TreeView.h"

namespace app {

// The settings tree's five branch states, "True" or "False", saved across runs.
struct TreeStates {
  std::string Main = "True", Settings = "True", Browser = "True", Advance = "True", Help = "True";
};

struct MainWindow {
  MainWindow();

  ui::Form form;  // "Quellery v1.0", client 9945 x 5520 twips
  ui::TreeView tvw1;
  ui::StatusBar stBar;

  CleaningPage cleaning;
  ItemPage windows, ie, netscape, opera, firefox, chrome, safari, applications;
  CookieSitesPage cookieSites;
  ui::Label Label14;  // the restart mark's explanation on the Windows page
  ShredderPage shredder;
  SchedulePage schedule;
  StartUpPage startUp;
  UpgradePage upgrade;
  HardwarePage hardware;
  HelpPage help;

  ui::Timer timeHide, timPanic, timeHardWare, timerScheduler;
  cookies::CookieViewer cookies;  // lies on the IE page, so it follows it

  // The names the handlers use.
  ui::ListBox& lstClean = cleaning.lstClean;
  ui::Frame& fraUpgrade = upgrade.fraUpgrade;
  ui::ListBox& lstUpgrade = upgrade.lstUpgrade;
  ui::ControlArray<ui::CheckBox>& chkWinSettings = windows.items;
  ui::ControlArray<ui::CheckBox>& chkIEsettings = ie.items;
  ui::ControlArray<ui::CheckBox>& chkNSsettings = netscape.items;
  ui::ControlArray<ui::CheckBox>& chkOPsettings = opera.items;
  // The page holding a group's ticks, and the tick box of a cleaning item.
  ItemPage& itemPage(engine::CleaningGroup group);
  ui::CheckBox& tick(const engine::CleaningItem& item);
  ui::CheckBox& chkRun(int i) { return i == 4 ? schedule.chkRun4 : startUp.chkRun.at(i); }
  ui::CheckBox& Check1 = startUp.Check1;
  ui::TimePicker& dtpTime = schedule.dtpTime;
  ui::TimePicker& dtpWeek = schedule.dtpWeek;
  ui::ControlArray<ui::OptionButton>& OptSchedule = schedule.OptSchedule;
  ui::ControlArray<ui::CheckBox>& chkSchedule = schedule.chkSchedule;
  ui::TextBox& txtMin = schedule.txtMin;
  ui::UpDown& UpDown1 = schedule.UpDown1;
  ui::ListBox& cmbWeek = schedule.cmbWeek;
  ui::ListBox& cmbMonth = schedule.cmbMonth;
  ui::ListBox& cmbPanic = startUp.cmbPanic;
  ui::Frame& fraCustomItems = shredder.fraCustomItems;
  ui::ListBox& lstFiles = shredder.lstFiles;
  ui::ListBox& cmbOver = shredder.cmbOver;
  ui::TextBox& txtShredFolder = shredder.txtShredFolder;
  ui::Frame& fraHardware = hardware.fraHardware;

  // Every frame of the page stack, in design order.
  std::vector<ui::Frame*> pages();
  ui::Frame* frontPage();
};

// Appends the idle help text to the status list.
void Message(ui::ListBox& list);

}  // namespace app

#include "app/MainWindow.h"

#include <initializer_list>
#include <string>

#include "engine/Catalogue.h"
#include "erase/OverwriteRemoval.h"

namespace app {

namespace {

constexpr int kTickHeight = 255;

// Where an item's tick sits inside its page (or inner frame).
ui::Rect tickRect(engine::CleaningGroup group, int i) {
  using G = engine::CleaningGroup;
  switch (group) {
    case G::Windows:
      return {3480, 600 + 360 * i, 3135, kTickHeight};
    case G::IE: {
      static const int column[10] = {0, 0, 0, 0, 1, 1, 1, 0, 1, 1};
      static const int row[10] = {0, 1, 2, 3, 0, 1, 2, 4, 3, 4};
      return {column[i] ? 3720 : 120, 360 + 240 * row[i], column[i] ? 2655 : 3585, kTickHeight};
    }
    case G::Netscape:
      return {i < 3 ? 120 : 3240, 240 + 360 * (i % 3), i < 3 ? 3015 : 3135, kTickHeight};
    case G::Opera:
      return {240, 360 + 360 * i, 2655, kTickHeight};
    case G::Firefox:
    case G::Chrome:
    case G::Safari:
    case G::Applications:
      break;
  }
  // The later pages: two columns of twelve, filled down.
  const int column = i / 12, row = i % 12;
  return {240 + 3240 * column, 360 + 330 * row, 3015, kTickHeight};
}

void addTicks(ItemPage& page, engine::CleaningGroup group) {
  for (const engine::CleaningItem& item : engine::catalogue())
    if (item.group == group) {
      page.items.emplace_back(&page.tickParent(), engine::arrayName(group), tickRect(group, item.index),
                              item.caption, item.index);
      if (item.tooltip) page.items.back().toolTip = item.tooltip;
    }
}

std::vector<ui::StatusBar::Panel> statusPanels() {
  using P = ui::StatusBar::Panel;
  return {{P::Date, 1335, ""},    {P::Text, 11465, ""},  {P::CapsLock, 735, ""},
          {P::Insert, 735, ""},   {P::NumLock, 735, ""}, {P::Time, 1095, ""}};
}

}  // namespace

CleaningPage::CleaningPage(ui::Control* form)
    : fraCleaning(form, "fraCleaning", kPageRect, "Cleaning"),
      lstClean(&fraCleaning, "lstClean", {120, 240, 6495, 3285}),
      cmdClean(&fraCleaning, "cmdClean", {480, 4200, 1575, 375}, "Start Cleaning"),
      cmdStopCleaning(&fraCleaning, "cmdStopCleaning", {480, 4200, 1575, 375}, "Stop Clean"),
      cmdReboot(&fraCleaning, "cmdReboot", {2520, 4200, 1575, 375}, "Clean & Reboot"),
      cmdExit(&fraCleaning, "cmdExit", {4560, 4200, 1575, 375}, "Exit"),
      cmdPreview(&fraCleaning, "cmdPreview", {480, 3660, 1575, 375}, "Preview"),
      cmdReport(&fraCleaning, "cmdReport", {2520, 3660, 1575, 375}, "Report"),
      fraPanic(&fraCleaning, "fraPanic", {5160, 360, 1335, 1095}),
      lblPanic(&fraPanic, "lblPanic", {120, 420, 1095, 375}, "Panic") {
  cmdClean.zOrder();  // Start Cleaning lies over Stop Clean while idle
  for (int i = 0; i < 17; ++i) spProg.emplace_back(&fraCleaning, "spProg", ui::Rect{360 + 360 * i, 4680, 255, 255}, i);
  fraPanic.setVisible(false);
  cmdReport.setEnabled(false);
}

ItemPage::ItemPage(ui::Control* form, const char* frameName, const char* caption, const char* innerName,
                   const char* innerCaption, const char* selectAllName, const char* deselectAllName,
                   int innerHeight)
    : frame(form, frameName, kPageRect, caption),
      inner(&frame, innerName, {120, 240, 6495, innerHeight}, innerCaption),
      selectAll(&frame, selectAllName, {120, 4560, 1575, 375}, "Select All"),
      deselectAll(&frame, deselectAllName, {1800, 4560, 1575, 375}, "Deselect All") {
  if (inner.name().empty()) inner.setVisible(false);
}

StartUpPage::StartUpPage(ui::Control* form)
    : fraRun(form, "fraRun", kPageRect, "StartUp"),
      Check1(&fraRun, "Check1", {240, 480, 6255, 255},
             "Run invisibly ( Ctrl  + H)  [To Unhide Press  Ctrl + U]"),
      fraPanicKey(&fraRun, "fraPanicKey", {240, 2880, 6255, 855}, "Panic Key"),
      lblPanicKey(&fraPanicKey, "lblPanicKey", {240, 405, 735, 255}, "Ctrl +"),
      cmbPanic(&fraPanicKey, "cmbPanic", {1080, 360, 1095, 315}, false, ui::Kind::DropDownList),
      cmbPanOK(&fraPanicKey, "cmbPanOK", {2400, 330, 1335, 375}, "Set Panic"),
      chkOverwrite(&fraRun, "chkOverwrite", {240, 3960, 6255, 255}, "Overwrite files before they are removed"),
      lblOverwrite(&fraRun, "lblOverwrite", {480, 4260, 6015, 435}, erase::kOverwriteLevelsText) {
  chkOverwrite.toolTip = lblOverwrite.toolTip =
      "A removed file's bytes stay on the disk until something else is written there. Files with a second name, "
      "compressed, sparse or encrypted files and files in use are removed without it.";
  static const char* const captions[4] = {
      "During Windows / Quellery Start Up run invisibly (You will need to remember to press Ctrl + U "
      "or you will not be able to see the software)",
      "Run During Windows Start Up", "Clean  During Windows ShutDown", "Clean During Quellery Start Up"};
  static const int tops[4] = {840, 1680, 2040, 2400};
  const int heights[4] = {615, 255, 255, 255};
  for (int i = 0; i < 4; ++i)
    chkRun.emplace_back(&fraRun, "chkRun", ui::Rect{480, tops[i], 6015, heights[i]}, captions[i], i);
  // F1 is the help key, so the list starts at F2.
  for (int key = 2; key <= 12; ++key) cmbPanic.addItem("F" + std::to_string(key));
}

SchedulePage::SchedulePage(ui::Control* form)
    : FraSchedule(form, "FraSchedule", kPageRect, "Schedule"),
      fraScheduling(&FraSchedule, "fraScheduling", {120, 240, 6495, 3495}, "     Scheduling"),
      // Only the box itself, so it sits on the title's leading blanks without hiding its text.
      chkRun4(&FraSchedule, "chkRun", {240, 240, 195, 255}, "", 4),
      txtMin(&fraScheduling, "txtMin", {2040, 450, 615, 315}, "10"),
      UpDown1(&fraScheduling, "UpDown1", {2655, 450, 255, 315}, &txtMin, 1, 1440),
      lblMinutes(&fraScheduling, "lblMinutes", {3000, 480, 855, 255}, "Minutes"),
      dtpTime(&fraScheduling, "dtpTime", {2040, 1410, 1455, 315}),
      cmbWeek(&fraScheduling, "cmbWeek", {2040, 1890, 975, 315}, false, ui::Kind::DropDownList),
      dtpWeek(&fraScheduling, "dtpWeek", {3120, 1890, 1455, 315}),
      cmbMonth(&fraScheduling, "cmbMonth", {2040, 2370, 975, 315}, false, ui::Kind::ComboBox) {
  OptSchedule.emplace_back(&fraScheduling, "OptSchedule", ui::Rect{240, 480, 1695, 255}, "Run After Every", 0);
  OptSchedule.emplace_back(&fraScheduling, "OptSchedule", ui::Rect{240, 1080, 735, 255}, "Run ", 1);
  static const char* const kinds[3] = {"Every day", "Every Week", "Every Month"};
  for (int i = 0; i < 3; ++i)
    chkSchedule.emplace_back(&fraScheduling, "chkSchedule", ui::Rect{600, 1440 + 480 * i, 1335, 255}, kinds[i], i);
  for (const char* day : {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"}) cmbWeek.addItem(day);
  // The monthly rule fires at the daily time, as the month list has no time of its own.
  chkSchedule[2].toolTip = cmbMonth.toolTip =
      "Runs on the first day of the chosen month at the time set for \"Every day\"";
  for (const char* month : {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"})
    cmbMonth.addItem(month);
  for (ui::OptionButton& option : OptSchedule) option.setEnabled(false);
  for (ui::CheckBox& kind : chkSchedule) kind.setEnabled(false);
  for (ui::Control* control : std::initializer_list<ui::Control*>{&UpDown1, &dtpTime, &txtMin, &cmbWeek, &dtpWeek, &cmbMonth})
    control->setEnabled(false);
}

ShredderPage::ShredderPage(ui::Control* form)
    : fraCustomItems(form, "fraCustomItems", kPageRect, "Shredder"),
      fraFileList(&fraCustomItems, "fraFileList", {120, 240, 6495, 1695}, "File List"),
      lstFiles(&fraFileList, "lstFiles", {120, 240, 4335, 1335}),
      cmdFileBrowse(&fraFileList, "cmdFileBrowse", {4560, 240, 1815, 375}, "Browse..."),
      cmdDelSelected(&fraFileList, "cmdDelSelected", {4560, 720, 1815, 375}, "Delete Selected Items"),
      cmdShredClear(&fraFileList, "cmdShredClear", {4560, 1200, 1815, 375}, "Clear List"),
      fraControls(&fraCustomItems, "fraControls", {120, 3480, 2295, 1095}, "Controls"),
      lblSecurity(&fraControls, "lblSecurity", {120, 300, 2055, 255}, "Security level"),
      cmbOver(&fraControls, "cmbOver", {120, 600, 2055, 315}, false, ui::Kind::ComboBox),
      fraShredFolder(&fraCustomItems, "fraShredFolder", {2520, 3480, 4095, 1695}, "Folder Shredder"),
      lblAboutShredTimer(&fraShredFolder, "lblAboutShredTimer", {120, 240, 3855, 435},
                         "Select a folder which you would like to shred files frequently according to schedule ."),
      txtShredFolder(&fraShredFolder, "txtShredFolder", {120, 720, 3855, 315}),
      cmdShredBrowse(&fraShredFolder, "cmdShredBrowse", {120, 1200, 1215, 375}, "Browse..."),
      Command2(&fraShredFolder, "Command2", {1440, 1200, 1215, 375}, "Clear"),
      fraWipe(&fraCustomItems, "fraWipe", {120, 2010, 6495, 1395}, "Wipe Free Space"),
      cmbWipeDrive(&fraWipe, "cmbWipeDrive", {120, 270, 1335, 315}, false, ui::Kind::ComboBox),
      cmdWipeStop(&fraWipe, "cmdWipeStop", {1560, 240, 1815, 375}, "Stop"),
      cmdWipeFree(&fraWipe, "cmdWipeFree", {1560, 240, 1815, 375}, "Wipe Free Space"),
      prgWipe(&fraWipe, "prgWipe", {120, 720, 6255, 225}),
      lblWipeProgress(&fraWipe, "lblWipeProgress", {120, 1020, 6255, 255},
                      "Overwrites the free space of a drive, where deleted files could be read back.") {}

CookieSitesPage::CookieSitesPage(ui::Control* form)
    : fraSites(form, "fraSites", kPageRect, "Cookies Kept In Every Browser"),
      lblSites(&fraSites, "lblSites", {120, 240, 6495, 495},
               "Mark the sites whose cookies you keep. Their cookies, and those of every host below them, stay in "
               "every browser when cookies are cleaned."),
      lstSites(&fraSites, "lstSites", {120, 780, 6495, 3555}, true),
      cmdGetSites(&fraSites, "cmdGetSites", {120, 4560, 1575, 375}, "View Sites") {}

UpgradePage::UpgradePage(ui::Control* form)
    : fraUpgrade(form, "fraUpgrade", kPageRect, "Check For Upgrade"),
      lstUpgrade(&fraUpgrade, "lstUpgrade", {120, 240, 6495, 3765}),
      cmdUpgrade(&fraUpgrade, "cmdUpgrade", {2580, 4200, 1575, 375}, "Upgrade Now"),
      cmdChkUpgrade(&fraUpgrade, "cmdChkUpgrade", {2580, 4200, 1575, 375}, "Check Upgrade") {
  cmdChkUpgrade.zOrder();  // until it is clicked
}

HelpPage::HelpPage(ui::Control* form)
    : fraHelp(form, "fraHelp", kPageRect),
      fraHelpInfo(&fraHelp, "fraHelpInfo", {120, 240, 6495, 2295}, "Help Info."),
      Label10(&fraHelpInfo, "Label10", {240, 360, 6015, 855},
              "Quellery is one of the most advanced internet eraser / cookie washer in it's category. It "
              "includes cleanup tools for your browser as well as Windows system."),
      Label11(&fraHelpInfo, "Label11", {240, 1320, 3015, 255}, "Click Here For Online Help"),
      Label13(&fraHelpInfo, "Label13", {240, 1680, 3015, 255}, "Click here to contact us") {
  Label11.foreColor = Label13.foreColor = 0xFF0000;  // blue, as links are
}

MainWindow::MainWindow()
    : form("frmMain", {0, 0, 9945, 5520}, "Quellery v1.0"),
      tvw1(&form, "tvw1", {120, 0, 2895, 5175}),
      stBar(&form, "stBar", {0, 5220, 9945, 300}, statusPanels()),
      cleaning(&form),
      windows(&form, "fraWindows", "Windows Settings", "", "", "cmdSelectAllWin", "cmdDeselectAllWin"),
      ie(&form, "fraIE", "Internet Explorer Settings", "fraOption", "", "cmdSelectAllIE", "cmdDestAllIE"),
      netscape(&form, "fraNetscape", "Netscape Settings", "fraOpt", "", "cmdSellectAllNet",
               "cmdDesellectAllNet"),
      // Six ticks 360 apart from 360 down, with the margin below the last that three had.
      opera(&form, "fraOpera", "Opera Settings", "fraOP", "Opera Option", "cmdselectAllOP", "cmdDeselectAllOP",
            360 + 360 * 5 + kTickHeight + 360),
      firefox(&form, "fraFirefox", "Firefox Settings", "", "", "cmdSelectAllFF", "cmdDeselectAllFF"),
      chrome(&form, "fraChrome", "Chrome Settings", "", "", "cmdSelectAllCR", "cmdDeselectAllCR"),
      safari(&form, "fraSafari", "Safari Settings", "", "", "cmdSelectAllSF", "cmdDeselectAllSF"),
      applications(&form, "fraApplications", "Applications Settings", "", "", "cmdSelectAllAP", "cmdDeselectAllAP"),
      cookieSites(&form),
      Label14(&windows.frame, "Label14", {3480, 4320, 2655, 255}, "** =  Requires Restart"),
      shredder(&form),
      schedule(&form),
      startUp(&form),
      upgrade(&form),
      hardware(&form),
      help(&form),
      timeHide("timeHide", 50),
      timPanic("timPanic", 500),
      timeHardWare("timeHardWare", 100),
      timerScheduler("timerScheduler", 0),
      cookies(&ie.frame) {
  form.setVisible(false);  // shown at the end of start-up, or not at all
  for (engine::CleaningGroup group : engine::kGroups) addTicks(itemPage(group), group);
  chkIEsettings[6].toolTip = "** = Requires Restart";
}

std::vector<ui::Frame*> MainWindow::pages() {
  return {&cleaning.fraCleaning, &windows.frame,    &ie.frame,         &netscape.frame,
          &opera.frame,          &fraCustomItems,   &schedule.FraSchedule, &startUp.fraRun,
          &fraUpgrade,           &fraHardware,      &help.fraHelp,     &firefox.frame,
          &chrome.frame,         &safari.frame,     &applications.frame, &cookieSites.fraSites};
}

ui::Frame* MainWindow::frontPage() {
  ui::Frame* front = nullptr;
  for (ui::Frame* page : pages())
    if (!front || page->zStamp() > front->zStamp()) front = page;
  return front;
}

ItemPage& MainWindow::itemPage(engine::CleaningGroup group) {
  using G = engine::CleaningGroup;
  switch (group) {
    case G::Windows: return windows;
    case G::IE: return ie;
    case G::Netscape: return netscape;
    case G::Opera: return opera;
    case G::Firefox: return firefox;
    case G::Chrome: return chrome;
    case G::Safari: return safari;
    case G::Applications: break;
  }
  return applications;
}

ui::CheckBox& MainWindow::tick(const engine::CleaningItem& item) { return itemPage(item.group).items[item.index]; }

void Message(ui::ListBox& list) {
  list.addItem("Quellery is ready");
  list.addItem("Select cleaning options");
  list.addItem("Click 'Start Cleaning' to begin cleaning process ");
  list.addItem("or click 'Clean & Reboot' to reboot after cleaning");
}

}  // namespace app

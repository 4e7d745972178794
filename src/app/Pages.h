#pragma once
// The main window's pages: eleven frames stacked at one place, one in front.
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/ListView.h"

namespace app {

constexpr ui::Rect kPageRect{3120, 0, 6735, 5175};

struct CleaningPage {
  explicit CleaningPage(ui::Control* form);
  ui::Frame fraCleaning;
  ui::ListBox lstClean;
  ui::Button cmdClean, cmdStopCleaning, cmdReboot, cmdExit;
  // Above Start Cleaning and Clean & Reboot: what a run would remove, and what the last
  // one did (enabled once a run has ended).
  ui::Button cmdPreview, cmdReport;
  ui::ControlArray<ui::Shape> spProg;  // 17 progress cells
  ui::Frame fraPanic;  // the panic hint, shown during a run
  ui::Label lblPanic;  // blinks "Panic" and the key to press
};

// An item page: a frame, an optional inner frame holding the ticks, and the
// Select All / Deselect All pair.
struct ItemPage {
  ItemPage(ui::Control* form, const char* frameName, const char* caption, const char* innerName,
           const char* innerCaption, const char* selectAll, const char* deselectAll, int innerHeight = 1695);
  ui::Frame frame;
  ui::Frame inner;  // the page frame itself holds the ticks when this has no name
  ui::ControlArray<ui::CheckBox> items;
  ui::Button selectAll, deselectAll;
  ui::Control& tickParent() { return inner.name().empty() ? static_cast<ui::Control&>(frame) : inner; }
};

struct StartUpPage {
  explicit StartUpPage(ui::Control* form);
  ui::Frame fraRun;
  ui::CheckBox Check1;
  ui::ControlArray<ui::CheckBox> chkRun;  // 0 to 3 here; 4 lies on the schedule page
  // The panic key: Ctrl with one of F2 to F12.
  ui::Frame fraPanicKey;
  ui::Label lblPanicKey;
  ui::ListBox cmbPanic;
  ui::Button cmbPanOK;
  // Files removed by a cleaning pass are overwritten first, as often as the Shredder's
  // security level says.
  ui::CheckBox chkOverwrite;
  ui::Label lblOverwrite;
};

// Until the scheduling switch chkRun(4) is ticked everything but the switch is disabled,
// as its click rule leaves them.
struct SchedulePage {
  explicit SchedulePage(ui::Control* form);
  ui::Frame FraSchedule;
  ui::Frame fraScheduling;
  ui::CheckBox chkRun4;
  ui::ControlArray<ui::OptionButton> OptSchedule;  // 0 "Run After Every", 1 "Run "
  ui::TextBox txtMin;
  ui::UpDown UpDown1;
  ui::Label lblMinutes;
  ui::ControlArray<ui::CheckBox> chkSchedule;  // 0 every day, 1 every week, 2 every month
  ui::TimePicker dtpTime;
  ui::ListBox cmbWeek;
  ui::TimePicker dtpWeek;
  ui::ListBox cmbMonth;
};

// The file shredder's list and level, and the folder the scheduled runs sweep.
struct ShredderPage {
  explicit ShredderPage(ui::Control* form);
  ui::Frame fraCustomItems;
  ui::Frame fraFileList;
  ui::ListBox lstFiles;
  ui::Button cmdFileBrowse, cmdDelSelected, cmdShredClear;
  ui::Frame fraControls;
  ui::Label lblSecurity;
  ui::ListBox cmbOver;  // "Very Low" to "Extreme"
  ui::Frame fraShredFolder;
  ui::Label lblAboutShredTimer;
  ui::TextBox txtShredFolder;
  ui::Button cmdShredBrowse, Command2;
  // Free-space wipe: "Stop" lies over "Wipe Free Space" at the same place.
  ui::Frame fraWipe;
  ui::ListBox cmbWipeDrive;  // the local fixed drives, "C:" and on
  ui::Button cmdWipeStop, cmdWipeFree;  // the later one lies in front
  ui::ProgressBar prgWipe;
  ui::Label lblWipeProgress;  // "312 of 1,024 MB, 48 MB/s, 15 s left", then how it ended
};

// The sites whose cookies every browser keeps, listed from the cookies the browsers hold.
struct CookieSitesPage {
  explicit CookieSitesPage(ui::Control* form);
  ui::Frame fraSites;
  ui::Label lblSites;
  ui::ListBox lstSites;  // multiple selection: a marked site is kept
  ui::Button cmdGetSites;
  std::vector<std::string> siteOfLine;  // the site each line of the list names
  // The marks were read from a saved list that could be read: a change may be saved. Marks
  // drawn without it would save a list that forgets the sites it could not show.
  bool marksMaySave = false;
};

// The cookie viewer and the custom settings button on the Internet Explorer page.
// "Check For Upgrade": "Check Upgrade" lies over "Upgrade Now" at the same place.
struct UpgradePage {
  explicit UpgradePage(ui::Control* form);
  ui::Frame fraUpgrade;
  ui::ListBox lstUpgrade;
  ui::Button cmdUpgrade, cmdChkUpgrade;
};

// Hardware Info: memory, Windows and processor figures. Each figure is a pair of labels,
// element 0 the caption and element 1 the value.
struct HardwarePage {
  explicit HardwarePage(ui::Control* form);
  ui::Frame fraHardware;
  ui::Frame fraMemory;
  ui::ControlArray<ui::Label> lblPhysical, lblFreePhysical, lblUsedPhysical, lblVirtual, lblFreeVirtual,
      lblUsedVirtual, lblSwapFile, lblFreeSwap, lblUsedSwap;
  ui::Frame fraWinInfo;
  ui::ControlArray<ui::Label> lblWin, lblWinVer, lblWinAdditional;
  ui::Frame fraProcessor;
  ui::ControlArray<ui::Label> lblVirtualAlloc, lblLowLoadAddr, lblHighLoadAddr, lblNumProcessors, lblBlockAddress;
};

struct HelpPage {
  explicit HelpPage(ui::Control* form);
  ui::Frame fraHelp;
  ui::Frame fraHelpInfo;
  ui::Label Label10, Label11, Label13;
};

}  // namespace app

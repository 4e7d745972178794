#pragma once
// Control ids of the main window, by model name and array index. Shared with the
// end-to-end driver, which finds controls by these ids from another process.
#include <string_view>

namespace view {

struct ControlIdRange {
  const char* name;
  int base;  // id of element 0 (or of the single control)
  int size;  // slots reserved for the array
};

// Append new names at the end; existing ids must not move.
inline constexpr ControlIdRange kControlIds[] = {
    {"tvw1", 100, 1},
    {"stBar", 101, 1},
    {"fraCleaning", 110, 1},
    {"fraWindows", 111, 1},
    {"fraIE", 112, 1},
    {"fraNetscape", 113, 1},
    {"fraOpera", 114, 1},
    {"fraCustomItems", 115, 1},
    {"FraSchedule", 116, 1},
    {"fraRun", 117, 1},
    {"fraUpgrade", 118, 1},
    {"fraHardware", 119, 1},
    {"fraHelp", 120, 1},
    {"fraPanic", 121, 1},
    {"fraOption", 122, 1},
    {"fraOpt", 123, 1},
    {"fraOP", 124, 1},
    {"fraScheduling", 125, 1},
    {"fraHelpInfo", 126, 1},
    {"lstClean", 200, 1},
    {"cmdClean", 201, 1},
    {"cmdStopCleaning", 202, 1},
    {"cmdReboot", 203, 1},
    {"cmdExit", 204, 1},
    {"cmdSelectAllWin", 210, 1},
    {"cmdDeselectAllWin", 211, 1},
    {"cmdSelectAllIE", 212, 1},
    {"cmdDestAllIE", 213, 1},
    {"cmdSellectAllNet", 214, 1},
    {"cmdDesellectAllNet", 215, 1},
    {"cmdselectAllOP", 216, 1},
    {"cmdDeselectAllOP", 217, 1},
    {"Label10", 230, 1},
    {"Label11", 231, 1},
    {"Label13", 232, 1},
    {"Label14", 233, 1},
    {"Check1", 240, 1},
    {"dtpTime", 241, 1},
    {"spProg", 300, 20},
    {"chkWinSettings", 400, 20},
    {"chkIEsettings", 420, 20},
    {"chkNSsettings", 440, 20},
    {"chkOPsettings", 460, 20},
    {"chkRun", 480, 20},
    {"OptSchedule", 500, 4},
    {"chkSchedule", 504, 4},
    {"txtMin", 510, 1},
    {"UpDown1", 511, 1},
    {"lblMinutes", 512, 1},
    {"cmbWeek", 513, 1},
    {"dtpWeek", 514, 1},
    {"cmbMonth", 515, 1},
    {"fraPanicKey", 520, 1},
    {"lblPanicKey", 521, 1},
    {"cmbPanic", 522, 1},
    {"cmbPanOK", 523, 1},
    {"fraMemory", 600, 1},
    {"fraWinInfo", 601, 1},
    {"fraProcessor", 602, 1},
    {"lblPhysical", 610, 2},
    {"lblFreePhysical", 612, 2},
    {"lblUsedPhysical", 614, 2},
    {"lblVirtual", 616, 2},
    {"lblFreeVirtual", 618, 2},
    {"lblUsedVirtual", 620, 2},
    {"lblSwapFile", 622, 2},
    {"lblFreeSwap", 624, 2},
    {"lblUsedSwap", 626, 2},
    {"lblWin", 628, 2},
    {"lblWinVer", 630, 2},
    {"lblWinAdditional", 632, 2},
    {"lblVirtualAlloc", 634, 2},
    {"lblLowLoadAddr", 636, 2},
    {"lblHighLoadAddr", 638, 2},
    {"lblNumProcessors", 640, 2},
    {"lblBlockAddress", 642, 2},
    {"cmdIEcustSettings", 650, 1},
    // frmCustom
    {"fraCustSettigs", 700, 1},
    {"lblHomePage", 701, 1},
    {"txthome", 702, 1},
    {"cmdSet", 703, 1},
    {"cmdUseBlank", 704, 1},
    {"fraAutoBookMark", 705, 1},
    {"lblAutoBookMark", 706, 1},
    {"cmdEnableAutoBookMark", 707, 1},
    {"cmdDisableAutoBookMark", 708, 1},
    {"lblPanic", 524, 1},
    {"lstUpgrade", 560, 1},
    {"cmdUpgrade", 561, 1},
    {"cmdChkUpgrade", 562, 1},
    {"fraFileList", 530, 1},
    {"lstFiles", 531, 1},
    {"cmdFileBrowse", 532, 1},
    {"cmdDelSelected", 533, 1},
    {"cmdShredClear", 534, 1},
    {"fraControls", 535, 1},
    {"lblSecurity", 536, 1},
    {"cmbOver", 537, 1},
    {"fraShredFolder", 538, 1},
    {"lblAboutShredTimer", 539, 1},
    {"txtShredFolder", 540, 1},
    {"cmdShredBrowse", 541, 1},
    {"Command2", 542, 1},
    {"drvList", 550, 1},
    {"dirList", 551, 1},
    {"cmdAdd", 552, 1},
    {"cmdCancel", 553, 1},
    {"cmdPreview", 205, 1},
    {"cmdReport", 206, 1},
    // frmPreview
    {"lblHeading", 800, 1},
    {"lvwItems", 801, 1},
    {"lblTargets", 802, 1},
    {"lvwTargets", 803, 1},
    {"prgCollect", 804, 1},
    {"cmdStop", 805, 1},
    {"cmdCollect", 806, 1},
    {"cmdLastRun", 807, 1},
    {"cmdSave", 808, 1},
    {"cmdClose", 809, 1},
    // The later item pages
    {"fraFirefox", 127, 1},
    {"fraChrome", 128, 1},
    {"fraSafari", 129, 1},
    {"fraApplications", 130, 1},
    {"cmdSelectAllFF", 218, 1},
    {"cmdDeselectAllFF", 219, 1},
    {"cmdSelectAllCR", 220, 1},
    {"cmdDeselectAllCR", 221, 1},
    {"cmdSelectAllSF", 222, 1},
    {"cmdDeselectAllSF", 223, 1},
    {"cmdSelectAllAP", 224, 1},
    {"cmdDeselectAllAP", 225, 1},
    {"chkFFsettings", 900, 20},
    {"chkCRsettings", 920, 20},
    {"chkSFsettings", 940, 20},
    {"chkAPsettings", 960, 40},
    {"fraSites", 131, 1},
    {"lblSites", 1000, 1},
    {"lstSites", 1001, 1},
    {"cmdGetSites", 1002, 1},
};

// Controls named nowhere above get ids from here on, in creation order.
inline constexpr int kFirstUnlistedId = 5000;

// The id of `name` (element `index`, -1 for a single control); 0 when not listed.
constexpr int controlId(std::string_view name, int index = -1) {
  for (const ControlIdRange& range : kControlIds) {
    if (name != range.name) continue;
    const int slot = index < 0 ? 0 : index;
    return slot < range.size ? range.base + slot : 0;
  }
  return 0;
}

}  // namespace view

#include "custom/CustomWindow.h"

namespace custom {

CustomWindow::CustomWindow()
    : form("frmCustom", {0, 0, 6015, 3495}, "Custom Settings"),
      fraCustSettigs(&form, "fraCustSettigs", {120, 120, 5775, 1575}, "Internet Explorer Custom Settings"),
      lblHomePage(&fraCustSettigs, "lblHomePage", {240, 360, 2295, 255}, "Set Your Home Page"),
      txthome(&fraCustSettigs, "txthome", {240, 660, 5295, 315}, "http://"),
      cmdSet(&fraCustSettigs, "cmdSet", {2640, 1080, 1335, 375}, "Set"),
      cmdUseBlank(&fraCustSettigs, "cmdUseBlank", {4080, 1080, 1455, 375}, "Use Blank"),
      fraAutoBookMark(&form, "fraAutoBookMark", {120, 1800, 5775, 1575}, "Auto Bookmark"),
      lblAutoBookMark(&fraAutoBookMark, "lblAutoBookMark", {240, 360, 5295, 255},
                      "Block unwanted addtitions to Favorites folder"),
      cmdEnableAutoBookMark(&fraAutoBookMark, "cmdEnableAutoBookMark", {2640, 960, 1335, 375}, "Enable"),
      cmdDisableAutoBookMark(&fraAutoBookMark, "cmdDisableAutoBookMark", {4080, 960, 1455, 375}, "Disable") {
  form.setVisible(false);
  cmdDisableAutoBookMark.setEnabled(false);  // the guard is off
}

}  // namespace custom

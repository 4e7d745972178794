#include "cookies/CookieViewer.h"

namespace cookies {

CookieViewer::CookieViewer(ui::Control* iePage)
    : fraCashMgt(iePage, "fraCashMgt", {120, 2040, 6495, 2400},
                 "Internet Explorer Cache Management (Click \"View Cookies\" to show cookies)"),
      lstCookies(&fraCashMgt, "lstCookies", {120, 240, 4455, 2040}, true),
      cmdGetCache(&fraCashMgt, "cmdGetCache", {4680, 240, 1695, 375}, "View Cookies"),
      cmdDeleteSelected(&fraCashMgt, "cmdDeleteSelected", {4680, 720, 1695, 375}, "Delete Unselected"),
      cmdDeleteAllCache(&fraCashMgt, "cmdDeleteAllCache", {4680, 1200, 1695, 375}, "Delete All"),
      fraMessage(&fraCashMgt, "fraMessage", {600, 840, 3495, 615}),
      lblMessage(&fraMessage, "lblMessage", {240, 240, 3015, 255}, "Reading cookies folder  please wait"),
      cmdIEcustSettings(iePage, "cmdIEcustSettings", {3600, 4560, 1935, 375}, "IE Custom Settings") {
  fraMessage.setVisible(false);
}

}  // namespace cookies

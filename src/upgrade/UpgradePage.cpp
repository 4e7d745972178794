#include "upgrade/Upgrade.h"

#include "app/Session.h"
#include "app/Wait.h"
#include "report/ErrorReporter.h"

namespace upgrade {

namespace {

constexpr uint32_t kRed = 0x0000FF;  // RGB 255, 0, 0 as 0x00BBGGRR

// A red line of the page, after which "Check Upgrade" may be clicked again.
void sayInRed(app::UpgradePage& page, const char* text) {
  page.lstUpgrade.addItem(" ");
  page.lstUpgrade.setForeColor(kRed);
  page.lstUpgrade.addItem(text);
  page.cmdChkUpgrade.setEnabled(true);
}

}  // namespace

void cmdUpgrade_Click(app::Session& session) {
  app::UpgradePage& page = session.frm.upgrade;
  ui::ListBox& list = page.lstUpgrade;
  page.cmdChkUpgrade.setEnabled(false);
  list.clear();
  list.addItem("Quellery is checking for Upgrade...");
  if (!report::IsOnline(session.os)) {
    list.setForeColor(kRed);
    list.addItem(" ");
    list.addItem(" Make sure you are connected to Internet");
    page.cmdChkUpgrade.setEnabled(true);
  } else {
    std::string newVersion;
    const std::string installed =
        ReadOrCreateRegString(session.os, platform::hkey::LocalMachine, kStateKey, "ver", "1");
    if (!IsUpgradeAvailable(session.os, installed, &newVersion)) {
      sayInRed(page, " Currently no upgrade is available ");
    } else {
      list.addItem("Quellery Upgrade Available");
      app::WaitSeconds(session.os, 1);
      list.addItem("Quellery is Downloading New Version...");
      list.addItem("Please Wait Download Time Depending On Your Internet Connection");
      // Returns only when nothing was handed over; the page says why.
      if (DownloadAndInstall(session.os, newVersion) == Outcome::Unverified)
        sayInRed(page, " Quellery Upgrade could not be verified ");
      else
        sayInRed(page, " Make sure you are connected to Internet");
    }
  }
  if (session.flags.exitAfterCleaning) session.unload();
}

void cmdChkUpgrade_Click(app::Session& session) { session.frm.upgrade.cmdUpgrade.zOrder(); }

}  // namespace upgrade

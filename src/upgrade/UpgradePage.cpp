#include "app/App.h"
#include "app/Startup.h"
#include "app/modTest.h"
#include "report/ErrorReporter.h"
#include "upgrade/Upgrade.h"

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

void cmdUpgrade_Click(app::App& app) {
  app::UpgradePage& page = app.frm.upgrade;
  ui::ListBox& list = page.lstUpgrade;
  page.cmdChkUpgrade.setEnabled(false);
  list.clear();
  list.addItem("Quellery is checking for Upgrade...");
  if (!report::IsOnline(app)) {
    list.setForeColor(kRed);
    list.addItem(" ");
    list.addItem(" Make sure you are connected to Internet");
    page.cmdChkUpgrade.setEnabled(true);
  } else {
    const std::string installed = ReadOrCreateRegString(app, platform::hkey::LocalMachine, kStateKey, "ver", "1");
    if (!IsUpgradeAvailable(app, installed)) {
      sayInRed(page, " Currently no upgrade is available ");
    } else {
      list.addItem("Quellery Upgrade Available");
      app::WaitSeconds(app, 1);
      list.addItem("Quellery is Downloading New Version...");
      list.addItem("Please Wait Download Time Depending On Your Internet Connection");
      // Returns only when nothing was handed over; the page says why.
      if (DownloadAndInstall(app) == Outcome::Unverified)
        sayInRed(page, " Quellery Upgrade could not be verified ");
      else
        sayInRed(page, " Make sure you are connected to Internet");
    }
  }
  if (app.flags.exitAfterCleaning) app::Form_Unload(app);
}

void cmdChkUpgrade_Click(app::App& app) { app.frm.upgrade.cmdUpgrade.zOrder(); }

}  // namespace upgrade

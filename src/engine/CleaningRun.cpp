#include "engine/CleaningRun.h"

#include "app/App.h"
#include "app/Startup.h"
#include "app/modTest.h"
#include "cookies/CookieKeeper.h"
#include "engine/Catalogue.h"
#include "engine/Reboot.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/SavedSelections.h"

namespace engine {

using app::App;
using report::resumeNext;

namespace {

ui::CheckBox& tickOf(App& app, const CleaningItem& item) {
  app::MainWindow& f = app.frm;
  switch (item.group) {
    case CleaningGroup::Windows: return f.chkWinSettings[item.index];
    case CleaningGroup::IE: return f.chkIEsettings[item.index];
    case CleaningGroup::Netscape: return f.chkNSsettings[item.index];
    case CleaningGroup::Opera: break;
  }
  return f.chkOPsettings[item.index];
}

bool takesPart(App& app, const CleaningItem& item) {
  const int value = tickOf(app, item).value();
  return item.operaStyle ? value != 0 : value == 1;
}

void fillNextCell(App& app) {
  int16_t& progress = app.flags.progress;
  ++progress;
  if (progress >= 0 && progress < 17) app.frm.cleaning.spProg[progress].setFillColor(ui::Shape::Grey);
}

// Whatever fails inside the pass is reported and the pass goes on with the next statement.
template <typename Step>
void reportingStep(App& app, Step&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    report::reportFailure(app, report::tail::doClean, e);
  }
}

void fillRemainingCells(App& app) {
  for (int cell = app.flags.progress; cell <= 16; ++cell) {
    app::WaitSeconds(app, 0.5);
    if (cell >= 0) app.frm.cleaning.spProg[cell].setFillColor(ui::Shape::Grey);
  }
}

}  // namespace

void doClean(App& app) {
  ui::ListBox& list = app.frm.lstClean;
  app.flags.progress = 0;
  for (const CleaningItem& item : catalogue()) {
    if (app.flags.abort || !takesPart(app, item)) continue;
    if (item.progress == CleaningItem::Progress::BeforeText) reportingStep(app, [&] { fillNextCell(app); });
    reportingStep(app, [&] { list.addItem(item.statusText); });
    if (item.progress == CleaningItem::Progress::AfterText) reportingStep(app, [&] { fillNextCell(app); });
    app.flags.skipped.clear();
    reportingStep(app, [&] { item.first(app); });
    if (item.second) reportingStep(app, [&] { item.second(app); });
    reportingStep(app, [&] {
      list.addItem(app.flags.skipped.empty() ? "Done..." : app.flags.skipped);
      list.addItem(item.operaStyle ? " " : kLongSeparator);
      list.setListIndex(list.listCount() - 1);
    });
    app::WaitSeconds(app, 1);
  }
}

void cmdClean_Click(App& app) {
  RunFlags& flags = app.flags;
  // One run at a time: a start that arrives during a run's pauses is refused.
  if (flags.cleaningInProgress) return;
  app::CleaningPage& page = app.frm.cleaning;
  const bool rebootAfterThisRun = flags.rebootAfterCleaning;

  flags.abort = false;
  resumeNext([&] { page.lstClean.clear(); });
  flags.cleaningInProgress = true;
  resumeNext([&] { page.fraCleaning.zOrder(); });
  resumeNext([&] { page.cmdStopCleaning.zOrder(); });
  resumeNext([&] { page.fraPanic.setVisible(true); });
  resumeNext([&] { page.cmdReboot.setEnabled(false); });
  resumeNext([&] { page.cmdExit.setEnabled(false); });
  resumeNext([&] {
    for (ui::Shape& cell : page.spProg) cell.setFillColor(ui::Shape::White);
  });
  app::WaitSeconds(app, 1);
  resumeNext([&] { page.spProg[0].setFillColor(ui::Shape::Grey); });
  app::WaitSeconds(app, 1);
  resumeNext([&] { doClean(app); });
  resumeNext([&] { fillRemainingCells(app); });
  resumeNext([&] {
    for (int i = 0; i < 3; ++i) page.lstClean.addItem(" ");
    page.lstClean.addItem(flags.abort ? "Clean Aborted" : "Cleaning Is Done.");
  });
  resumeNext([&] { page.cmdClean.zOrder(); });
  resumeNext([&] { page.fraPanic.setVisible(false); });
  resumeNext([&] { page.cmdReboot.setEnabled(true); });
  resumeNext([&] { page.cmdExit.setEnabled(true); });
  if (rebootAfterThisRun) {
    // The request belongs to this run alone, however it ended.
    const bool reboot = flags.rebootAfterCleaning && !flags.abort;
    flags.rebootAfterCleaning = false;
    if (reboot) {
      resumeNext([&] { cookies::SaveKeptCookies(app); });
      resumeNext([&] { settings::saveLastSelection(app); });
      resumeNext([&] { RebootWindows(app, true); });
    }
  }
  flags.cleaningInProgress = false;
  resumeNext([&] {
    page.lstClean.addItem(" ");
    app::Message(app);
    page.lstClean.setListIndex(page.lstClean.listCount() - 1);
  });
  if (flags.exitAfterCleaning) app.os.system.endProgram();
}

void cmdStopCleaning_Click(App& app) {
  app::CleaningPage& page = app.frm.cleaning;
  app.flags.abort = true;
  resumeNext([&] { page.cmdClean.zOrder(); });
  resumeNext([&] { fillRemainingCells(app); });
  resumeNext([&] { page.cmdReboot.setEnabled(true); });
}

void cmdReboot_Click(App& app) {
  if (app.flags.cleaningInProgress) return;
  app.flags.rebootAfterCleaning = true;
  cmdClean_Click(app);
}

}  // namespace engine

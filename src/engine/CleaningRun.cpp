#include "engine/CleaningRun.h"

#include "app/App.h"
#include "app/Startup.h"
#include "app/modTest.h"
#include "cookies/CookieKeeper.h"
#include "engine/Catalogue.h"
#include "engine/Reboot.h"
#include "engine/RunTotals.h"
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

// An item's operation: one that fails halfway is reported like any step, and its plan says
// so, since what it did not reach is no success.
void itemStep(App& app, const CleaningItem& item, Operation operation) {
  try {
    operation(app);
  } catch (const std::exception& e) {
    erase::record(app.flags, erase::TargetKind::Item, item.caption, 0, erase::Outcome::Failed, e.what());
    report::reportFailure(app, report::tail::doClean, e);
  }
}

// Windows gives an ending session a few seconds: a pass under way then hurries on.
void pause(App& app, double seconds) {
  if (!app.flags.sessionEnding && !app.flags.unattended) app::WaitSeconds(app, seconds);
}

void fillRemainingCells(App& app) {
  for (int cell = app.flags.progress; cell <= 16; ++cell) {
    pause(app, 0.5);
    if (cell >= 0) app.frm.cleaning.spProg[cell].setFillColor(ui::Shape::Grey);
  }
}

// An item that refused its work says so, and one that left things the user asked to
// clean says how many and why: neither is a plain success.
std::string closingLine(const RunFlags& flags) {
  if (!flags.skipped.empty()) return flags.skipped;
  return flags.leftBehind.closingLine();
}

// A fresh report for a pass: room for every item, so that an item's place in it stays put
// while a pass nested in its yields adds the items after it.
void startReport(App& app) {
  app.lastRun = erase::Plan();
  app.lastRun.items.reserve(catalogue().size());
}

erase::ItemPlan* reportItem(App& app, int position) {
  erase::Plan& report = app.lastRun;
  if (report.items.size() == report.items.capacity()) return nullptr;  // never: one entry per position
  erase::ItemPlan entry;
  entry.position = position;
  entry.caption = catalogue()[position].caption;
  report.items.push_back(std::move(entry));
  return &report.items.back();
}

// The ticked items from the pass's next position on.
void cleanRemainingItems(App& app) {
  RunFlags& flags = app.flags;
  ui::ListBox& list = app.frm.lstClean;
  const std::vector<CleaningItem>& items = catalogue();
  while (flags.nextItem >= 0 && flags.nextItem < static_cast<int>(items.size())) {
    const int16_t position = flags.nextItem;
    const CleaningItem& item = items[position];
    if (flags.abort || !takesPart(app, item)) {
      flags.nextItem = position + 1;
      continue;
    }
    if (item.progress == CleaningItem::Progress::BeforeText) reportingStep(app, [&] { fillNextCell(app); });
    reportingStep(app, [&] { list.addItem(item.statusText); });
    if (item.progress == CleaningItem::Progress::AfterText) reportingStep(app, [&] { fillNextCell(app); });
    flags.skipped.clear();
    flags.leftBehind = erase::LeftBehind();
    erase::ItemPlan* const outer = flags.plan;  // a pass nested in a yield returns here
    flags.plan = reportItem(app, position);
    itemStep(app, item, item.first);
    if (item.second) itemStep(app, item, item.second);
    flags.plan = outer;
    // A pass nested in this item's yields may have cleaned on to the end already.
    if (flags.nextItem == position) flags.nextItem = position + 1;
    reportingStep(app, [&] {
      list.addItem(closingLine(app.flags));
      list.addItem(item.operaStyle ? " " : kLongSeparator);
      list.setListIndex(list.listCount() - 1);
    });
    pause(app, 1);
  }
}

bool runMayStart(const App& app) {
  // One run at a time, none inside a panic, and none once the window was closed.
  return !app.flags.cleaningInProgress && !app.panicking && !app.unloaded;
}

}  // namespace

void doClean(App& app) {
  app.flags.progress = 0;
  app.flags.nextItem = 0;
  startReport(app);
  cleanRemainingItems(app);
  app.lastRun.stopped = app.flags.abort;
}

erase::Plan CollectPlan(App& app, const CollectProgress& progress) {
  erase::Plan plan;
  RunFlags& flags = app.flags;
  if (!runMayStart(app)) {
    plan.stopped = true;
    return plan;
  }
  FlagHeld inProgress(flags.cleaningInProgress);
  FlagHeld underWay(flags.collectionUnderWay);
  FlagHeld onlyCollecting(flags.collecting);
  flags.abort = false;
  const std::vector<CleaningItem>& items = catalogue();
  plan.items.reserve(items.size());
  for (size_t position = 0; position < items.size(); ++position) {
    const CleaningItem& item = items[position];
    if (!takesPart(app, item)) continue;
    if (flags.abort) break;
    if (progress) resumeNext([&] { progress(static_cast<int>(position), static_cast<int>(items.size())); });
    erase::ItemPlan entry;
    entry.position = static_cast<int>(position);
    entry.caption = item.caption;
    plan.items.push_back(std::move(entry));
    flags.plan = &plan.items.back();
    flags.skipped.clear();
    flags.leftBehind = erase::LeftBehind();
    itemStep(app, item, item.first);
    if (item.second) itemStep(app, item, item.second);
    flags.plan = nullptr;
  }
  plan.stopped = flags.abort;
  flags.abort = false;
  flags.skipped.clear();
  flags.leftBehind = erase::LeftBehind();
  return plan;
}

void cleaningPass(App& app) {
  if (app.flags.cleaningInProgress) return;
  FlagHeld inProgress(app.flags.cleaningInProgress);
  resumeNext([&] { doClean(app); });
}

void cleanBeforeSessionEnds(App& app, bool shutdownPassTicked) {
  RunFlags& flags = app.flags;
  flags.sessionEnding = true;
  if (flags.collectionUnderWay) {
    // A preview is no run: the shutdown pass runs in its place (the collection, whose
    // yield this is, holds the run's flag meanwhile), and then the collection stops.
    if (shutdownPassTicked) {
      flags.cleaningInProgress = false;
      flags.abort = false;  // a Stop meant for the preview
      cleaningPass(app);
      flags.cleaningInProgress = true;
    }
    flags.abort = true;
  } else if (flags.cleaningInProgress) {
    resumeNext([&] { cleanRemainingItems(app); });
  } else if (shutdownPassTicked) {
    cleaningPass(app);
  }
}

void cmdClean_Click(App& app) {
  RunFlags& flags = app.flags;
  // A start that arrives during a run's or a panic's pauses, or after closing, is refused.
  if (!runMayStart(app)) return;
  app::CleaningPage& page = app.frm.cleaning;
  const bool rebootAfterThisRun = flags.rebootAfterCleaning;

  flags.abort = false;
  resumeNext([&] { page.lstClean.clear(); });
  flags.cleaningInProgress = true;
  flags.progress = 0;
  flags.nextItem = 0;
  startReport(app);
  resumeNext([&] { page.fraCleaning.zOrder(); });
  resumeNext([&] { page.cmdStopCleaning.zOrder(); });
  resumeNext([&] { page.fraPanic.setVisible(true); });
  resumeNext([&] { page.cmdReboot.setEnabled(false); });
  resumeNext([&] { page.cmdExit.setEnabled(false); });
  resumeNext([&] {
    for (ui::Shape& cell : page.spProg) cell.setFillColor(ui::Shape::White);
  });
  pause(app, 1);
  resumeNext([&] { page.spProg[0].setFillColor(ui::Shape::Grey); });
  pause(app, 1);
  // The pass itself; started here so that a session ending during the pauses above
  // cleans the items once, not again afterwards.
  resumeNext([&] { cleanRemainingItems(app); });
  app.lastRun.stopped = flags.abort;
  resumeNext([&] { fillRemainingCells(app); });
  resumeNext([&] {
    for (int i = 0; i < 3; ++i) page.lstClean.addItem(" ");
    page.lstClean.addItem(flags.abort ? "Clean Aborted" : "Cleaning Is Done.");
  });
  resumeNext([&] { page.cmdClean.zOrder(); });
  resumeNext([&] { page.fraPanic.setVisible(false); });
  resumeNext([&] { page.cmdReboot.setEnabled(true); });
  resumeNext([&] { page.cmdExit.setEnabled(true); });
  resumeNext([&] { ShowRunTotals(app); });
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
  if (!flags.exitAfterCleaning) return;
  // A panic during the run asked for the end: what this session chose is saved first, as
  // a panic between runs saves it. A close has saved it already.
  if (!app.unloaded) resumeNext([&] { app::Form_Unload(app); });
  app.os.system.endProgram();
}

void cmdStopCleaning_Click(App& app) {
  app::CleaningPage& page = app.frm.cleaning;
  app.flags.abort = true;
  resumeNext([&] { page.cmdClean.zOrder(); });
  resumeNext([&] { fillRemainingCells(app); });
  // Clean & Reboot stays disabled until the run has ended: a click while it winds down
  // would be refused.
}

void cmdReboot_Click(App& app) {
  if (!runMayStart(app)) return;
  app.flags.rebootAfterCleaning = true;
  cmdClean_Click(app);
}

}  // namespace engine

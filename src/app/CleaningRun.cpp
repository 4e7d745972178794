#include "app/CleaningRun.h"

#include "app/Wait.h"
#include "cookies/CookieKeeper.h"
#include "engine/Catalogue.h"
#include "engine/Reboot.h"
#include "app/RunTotals.h"
#include "app/Session.h"
#include "erase/SharedTargets.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace app {

using engine::catalogue;
using engine::CleaningGroup;
using engine::CleaningItem;
using engine::kLongSeparator;
using engine::Operation;
using erase::FlagHeld;
using erase::RunFlags;
using report::resumeNext;

namespace {

ui::CheckBox& tickOf(Session& session, const CleaningItem& item) {
  app::MainWindow& f = session.frm;
  switch (item.group) {
    case CleaningGroup::Windows: return f.chkWinSettings[item.index];
    case CleaningGroup::IE: return f.chkIEsettings[item.index];
    case CleaningGroup::Netscape: return f.chkNSsettings[item.index];
    case CleaningGroup::Opera: break;
  }
  return f.chkOPsettings[item.index];
}

bool takesPart(Session& session, const CleaningItem& item) {
  const int value = tickOf(session, item).value();
  return item.operaStyle ? value != 0 : value == 1;
}

void fillNextCell(Session& session) {
  int16_t& progress = session.flags.progress;
  ++progress;
  if (progress >= 0 && progress < 17) session.frm.cleaning.spProg[progress].setFillColor(ui::Shape::Grey);
}

// Whatever fails inside the pass is reported and the pass goes on with the next statement.
template <typename Step>
void reportingStep(platform::Platform& os, Step&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::doClean, e);
  }
}

// An item's operation: one that fails halfway is reported like any step, and its plan and
// its line say so, since what it did not reach is no success.
void itemStep(Session& session, const CleaningItem& item, Operation operation) {
  try {
    operation(session.run());
  } catch (const std::exception& e) {
    erase::recordGivenUp(session.flags, item.caption, e.what());
    report::reportFailure(session.os, report::tail::doClean, e);
  }
}

// Windows gives an ending session a few seconds: a pass under way then hurries on.
void pause(Session& session, double seconds) {
  if (!session.flags.sessionEnding && !session.flags.unattended) app::WaitSeconds(session.os, seconds);
}

void fillRemainingCells(Session& session) {
  for (int cell = session.flags.progress; cell <= 16; ++cell) {
    pause(session, 0.5);
    if (cell >= 0) session.frm.cleaning.spProg[cell].setFillColor(ui::Shape::Grey);
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
void startReport(Session& session) {
  session.lastRun = erase::Plan();
  session.lastRun.items.reserve(catalogue().size());
}

erase::ItemPlan* reportItem(Session& session, int position) {
  erase::Plan& report = session.lastRun;
  if (report.items.size() == report.items.capacity()) return nullptr;  // never: one entry per position
  erase::ItemPlan entry;
  entry.position = position;
  entry.caption = catalogue()[position].caption;
  report.items.push_back(std::move(entry));
  return &report.items.back();
}

// The ticked items from the pass's next position on.
void cleanRemainingItems(Session& session) {
  RunFlags& flags = session.flags;
  ui::ListBox& list = session.frm.lstClean;
  const std::vector<CleaningItem>& items = catalogue();
  while (flags.nextItem >= 0 && flags.nextItem < static_cast<int>(items.size())) {
    const int16_t position = flags.nextItem;
    const CleaningItem& item = items[position];
    if (flags.abort || !takesPart(session, item)) {
      flags.nextItem = position + 1;
      continue;
    }
    if (item.progress == CleaningItem::Progress::BeforeText) reportingStep(session.os, [&] { fillNextCell(session); });
    reportingStep(session.os, [&] { list.addItem(item.statusText); });
    if (item.progress == CleaningItem::Progress::AfterText) reportingStep(session.os, [&] { fillNextCell(session); });
    flags.skipped.clear();
    flags.leftBehind = erase::LeftBehind();
    // Taken before it runs: a pass nested in this item's yields (the session ending) goes
    // on from the next item, and may clean on to the end.
    flags.nextItem = position + 1;
    erase::ItemPlan* const outer = flags.plan;  // a pass nested in a yield returns here
    flags.plan = reportItem(session, position);
    itemStep(session, item, item.first);
    if (item.second) itemStep(session, item, item.second);
    flags.plan = outer;
    reportingStep(session.os, [&] {
      list.addItem(closingLine(session.flags));
      list.addItem(item.operaStyle ? " " : kLongSeparator);
      list.setListIndex(list.listCount() - 1);
    });
    pause(session, 1);
  }
}

}  // namespace

void doClean(Session& session) {
  session.flags.progress = 0;
  session.flags.nextItem = 0;
  startReport(session);
  cleanRemainingItems(session);
  session.lastRun.stopped = session.flags.abort;
}

erase::Plan CollectPlan(Session& session, const CollectProgress& progress) {
  erase::Plan plan;
  RunFlags& flags = session.flags;
  if (!passMayStart(session)) {
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
    if (!takesPart(session, item)) continue;
    if (flags.abort) break;
    if (progress) resumeNext([&] { progress(static_cast<int>(position), static_cast<int>(items.size())); });
    erase::ItemPlan entry;
    entry.position = static_cast<int>(position);
    entry.caption = item.caption;
    plan.items.push_back(std::move(entry));
    flags.plan = &plan.items.back();
    flags.skipped.clear();
    flags.leftBehind = erase::LeftBehind();
    itemStep(session, item, item.first);
    if (item.second) itemStep(session, item, item.second);
    flags.plan = nullptr;
  }
  erase::MarkSharedTargets(plan);
  plan.stopped = flags.abort;
  flags.abort = false;
  flags.skipped.clear();
  flags.leftBehind = erase::LeftBehind();
  return plan;
}

void cleaningPass(Session& session) {
  if (session.flags.cleaningInProgress) return;
  FlagHeld inProgress(session.flags.cleaningInProgress);
  resumeNext([&] { doClean(session); });
}

void cleanBeforeSessionEnds(Session& session, bool shutdownPassTicked) {
  RunFlags& flags = session.flags;
  flags.sessionEnding = true;
  if (flags.collectionUnderWay) {
    // A preview is no run: the shutdown pass runs in its place (the collection, whose
    // yield this is, holds the run's flag meanwhile), and then the collection stops.
    if (shutdownPassTicked) {
      flags.cleaningInProgress = false;
      flags.abort = false;  // a Stop meant for the preview
      cleaningPass(session);
      flags.cleaningInProgress = true;
    }
    flags.abort = true;
  } else if (flags.cleaningInProgress) {
    resumeNext([&] { cleanRemainingItems(session); });
  } else if (shutdownPassTicked) {
    cleaningPass(session);
  }
}

void cmdClean_Click(Session& session) {
  RunFlags& flags = session.flags;
  // A start that arrives during a run's or a panic's pauses, or after closing, is refused.
  if (!passMayStart(session)) return;
  app::CleaningPage& page = session.frm.cleaning;
  const bool rebootAfterThisRun = flags.rebootAfterCleaning;

  flags.abort = false;
  resumeNext([&] { page.lstClean.clear(); });
  flags.cleaningInProgress = true;
  flags.progress = 0;
  flags.nextItem = 0;
  startReport(session);
  resumeNext([&] { page.fraCleaning.zOrder(); });
  resumeNext([&] { page.cmdStopCleaning.zOrder(); });
  resumeNext([&] { page.fraPanic.setVisible(true); });
  resumeNext([&] { page.cmdReboot.setEnabled(false); });
  resumeNext([&] { page.cmdExit.setEnabled(false); });
  // Their windows would hold the run in their own wait until closed.
  resumeNext([&] { page.cmdPreview.setEnabled(false); });
  resumeNext([&] { page.cmdReport.setEnabled(false); });
  resumeNext([&] {
    for (ui::Shape& cell : page.spProg) cell.setFillColor(ui::Shape::White);
  });
  pause(session, 1);
  resumeNext([&] { page.spProg[0].setFillColor(ui::Shape::Grey); });
  pause(session, 1);
  // The pass itself; started here so that a session ending during the pauses above
  // cleans the items once, not again afterwards.
  resumeNext([&] { cleanRemainingItems(session); });
  session.lastRun.stopped = flags.abort;
  resumeNext([&] { fillRemainingCells(session); });
  resumeNext([&] {
    for (int i = 0; i < 3; ++i) page.lstClean.addItem(" ");
    page.lstClean.addItem(flags.abort ? "Clean Aborted" : "Cleaning Is Done.");
  });
  resumeNext([&] { page.cmdClean.zOrder(); });
  resumeNext([&] { page.fraPanic.setVisible(false); });
  resumeNext([&] { page.cmdReboot.setEnabled(true); });
  resumeNext([&] { page.cmdExit.setEnabled(true); });
  resumeNext([&] { page.cmdPreview.setEnabled(true); });
  resumeNext([&] { page.cmdReport.setEnabled(true); });
  resumeNext([&] { ShowRunTotals(session); });
  if (rebootAfterThisRun) {
    // The request belongs to this run alone, however it ended.
    const bool reboot = flags.rebootAfterCleaning && !flags.abort;
    flags.rebootAfterCleaning = false;
    if (reboot) {
      resumeNext([&] { cookies::SaveKeptCookies(session.run(), session.frm.cookies); });
      resumeNext([&] { session.saveSelection(); });
      resumeNext([&] { engine::RebootWindows(session.os, true); });
    }
  }
  flags.cleaningInProgress = false;
  resumeNext([&] {
    page.lstClean.addItem(" ");
    Message(page.lstClean);
    page.lstClean.setListIndex(page.lstClean.listCount() - 1);
  });
  if (!flags.exitAfterCleaning) return;
  // A panic during the run asked for the end: what this session chose is saved first, as
  // a panic between runs saves it. A close has saved it already.
  if (!session.unloaded) resumeNext([&] { session.unload(); });
  session.os.system.endProgram();
}

void cmdStopCleaning_Click(Session& session) {
  app::CleaningPage& page = session.frm.cleaning;
  session.flags.abort = true;
  resumeNext([&] { page.cmdClean.zOrder(); });
  resumeNext([&] { fillRemainingCells(session); });
  // Clean & Reboot stays disabled until the run has ended: a click while it winds down
  // would be refused.
}

void cmdReboot_Click(Session& session) {
  if (!passMayStart(session)) return;
  session.flags.rebootAfterCleaning = true;
  cmdClean_Click(session);
}

}  // namespace app

#include "app/CleaningRun.h"

#include "app/RunTotals.h"
#include "app/Session.h"
#include "app/Wait.h"
#include "cookies/CookieKeeper.h"
#include "engine/Catalogue.h"
#include "engine/Executor.h"
#include "engine/Reboot.h"
#include "erase/OverwriteRemoval.h"
#include "erase/SharedTargets.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace app {

using engine::catalogue;
using engine::CleaningItem;
using engine::kLongSeparator;
using erase::FlagHeld;
using erase::RunFlags;
using report::resumeNext;

namespace {

// Whether the item's tick box asks for it.
bool takesPart(Session& session, const CleaningItem& item) {
  const int value = session.frm.tick(item).value();
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

// Windows gives an ending session a few seconds: a pass under way then hurries on.
void pause(Session& session, double seconds) {
  if (!session.flags.sessionEnding && !session.flags.unattended) WaitSeconds(session.os, seconds);
}

void fillRemainingCells(Session& session) {
  for (int cell = session.flags.progress; cell <= 16; ++cell) {
    pause(session, 0.5);
    if (cell >= 0) session.frm.cleaning.spProg[cell].setFillColor(ui::Shape::Grey);
  }
}

// A run's items on the cleaning page: a status line and a progress cell as each starts, its
// closing line and a pause as it ends.
class RunOnPage : public engine::PassWatcher {
 public:
  explicit RunOnPage(Session& session) : session_(session) {}
  bool takesPart(const CleaningItem& item) override { return app::takesPart(session_, item); }
  void itemStarts(int, const CleaningItem& item) override {
    ui::ListBox& list = session_.frm.lstClean;
    if (item.progress == CleaningItem::Progress::BeforeText) reportingStep(session_.os, [&] { fillNextCell(session_); });
    reportingStep(session_.os, [&] { list.addItem(item.statusText); });
    if (item.progress == CleaningItem::Progress::AfterText) reportingStep(session_.os, [&] { fillNextCell(session_); });
  }
  void itemEnds(const CleaningItem& item, const std::string& closingLine) override {
    ui::ListBox& list = session_.frm.lstClean;
    reportingStep(session_.os, [&] {
      list.addItem(closingLine);
      list.addItem(item.operaStyle ? " " : kLongSeparator);
      list.setListIndex(list.listCount() - 1);
    });
    pause(session_, 1);
  }

 private:
  Session& session_;
};

// A preview's items: the preview window hears of each as it starts.
class PreviewOfItems : public engine::PassWatcher {
 public:
  PreviewOfItems(Session& session, const CollectProgress& progress) : session_(session), progress_(progress) {}
  bool takesPart(const CleaningItem& item) override { return app::takesPart(session_, item); }
  void itemStarts(int position, const CleaningItem&) override {
    if (progress_) resumeNext([&] { progress_(position, static_cast<int>(catalogue().size())); });
  }
  void itemEnds(const CleaningItem&, const std::string&) override {}

 private:
  Session& session_;
  const CollectProgress& progress_;
};

// Passes over each removed file as the Run settings page asks, for the length of one
// cleaning pass: walks outside a pass (the shredder's, a guard's) keep their own ways.
class OverwriteChoice {
 public:
  explicit OverwriteChoice(Session& session) : passes_(session.flags.overwritePasses), before_(passes_) {
    const int level = session.frm.cmbOver.listIndex();
    passes_ = session.frm.startUp.chkOverwrite.value() == 1
                  ? erase::overwritePassesForLevel(level >= 0 ? level : kMediumLevel)
                  : 0;
  }
  ~OverwriteChoice() { passes_ = before_; }
  OverwriteChoice(const OverwriteChoice&) = delete;
  OverwriteChoice& operator=(const OverwriteChoice&) = delete;

 private:
  static constexpr int kMediumLevel = 2;  // the level the shredder takes when none is chosen
  int& passes_;
  const int before_;
};

// The ticked items from the pass's next position on.
void cleanRemainingItems(Session& session) {
  RunOnPage page(session);
  OverwriteChoice overwrite(session);
  engine::runItems(session.run(), engine::Mode::Clean, session.flags.nextItem, session.lastRun, page);
}

}  // namespace

void doClean(Session& session) {
  session.flags.progress = 0;
  session.flags.nextItem = 0;
  session.lastRun = engine::freshReport();
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
  flags.abort = false;
  plan = engine::freshReport();
  PreviewOfItems preview(session, progress);
  int16_t next = 0;
  engine::runItems(session.run(), engine::Mode::Preview, next, plan, preview);
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
  resumeNext([&] { session.stopWipe(); });
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
  session.lastRun = engine::freshReport();
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

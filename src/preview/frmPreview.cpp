#include "preview/frmPreview.h"

#include "app/CleaningRun.h"
#include "app/Session.h"
#include "app/Wait.h"
#include "engine/Catalogue.h"
#include "engine/PlanReport.h"
#include "erase/WalkRules.h"
#include "panic/Panic.h"
#include "platform/FreshFile.h"
#include "platform/WinError.h"
#include "preview/PreviewRows.h"
#include "preview/SaveReport.h"
#include "report/RuntimeError.h"
#include "schedule/Scheduler.h"

namespace preview {

using report::resumeNext;

namespace {

const char kNoTargetsYet[] = "Double-click an item to list its targets";

void showButtons(app::Session& session, PreviewWindow& w) {
  w.cmdStop.setEnabled(w.collecting);
  w.cmdCollect.setEnabled(!w.collecting);
  w.cmdLastRun.setEnabled(!w.collecting && !session.lastRun.items.empty());
  w.cmdSave.setEnabled(!w.collecting && !w.shown.items.empty());
  w.prgCollect.setVisible(w.collecting);
}

void showPlan(app::Session& session, PreviewWindow& w, erase::Plan plan, bool run) {
  w.shown = std::move(plan);
  w.showsRun = run;
  w.lvwItems.setColumns(run ? reportColumns() : planColumns());
  w.lvwItems.setRows(run ? reportRows(w.shown) : planRows(w.shown));
  w.lvwTargets.clear();
  w.lblTargets.setCaption(kNoTargetsYet);
  std::string heading = run ? "What the last run did" : "What the ticked items would remove";
  if (w.shown.items.empty()) heading = run ? "No run has cleaned anything yet" : "No item is ticked";
  if (w.shown.stopped) heading += run ? " (stopped before every ticked item was cleaned)"
                                      : " (stopped before every ticked item was seen)";
  w.lblHeading.setCaption(heading);
  showButtons(session, w);
}

void collect(app::Session& session, PreviewWindow& w) {
  if (w.collecting) return;
  if (!app::passMayStart(session)) {
    w.lblHeading.setCaption("Cleaning is under way: preview again when it is done");
    return;
  }
  w.collecting = true;
  w.lvwItems.setColumns(planColumns());
  w.lvwTargets.clear();
  w.lblTargets.setCaption(kNoTargetsYet);
  w.lblHeading.setCaption("Collecting what the ticked items would remove...");
  w.prgCollect.setValue(w.prgCollect.min());
  showButtons(session, w);
  erase::Plan plan;
  try {
    plan = app::CollectPlan(session, [&](int position, int items) {
      w.prgCollect.setRange(0, items);
      w.prgCollect.setValue(position);
      w.lblHeading.setCaption(std::string("Collecting: ") + engine::catalogue()[position].caption + "...");
      // Stop and Close answer between items too, however little an item yields.
      erase::yieldOnce(session.run());
    });
  } catch (...) {
    plan.stopped = true;  // what was collected went with the failure; say it is incomplete
  }
  w.collecting = false;
  w.prgCollect.setValue(w.prgCollect.max());
  showPlan(session, w, std::move(plan), false);
  // A panic that came meanwhile stopped the walk; its own pass runs now.
  panic::FinishPanicAfterCollecting(session);
  schedule::StartRunDueAfterCollecting(session);
}

void open(app::Session& session, PreviewWindow& w, bool run) {
  if (w.loaded || !app::passMayStart(session)) return;
  w.loaded = true;
  w.shown = erase::Plan();
  w.form.setVisible(true);
  // Modal: the main window takes no input until this one closes; timers go on.
  session.frm.form.setEnabled(false);
  if (run)
    resumeNext([&] { showPlan(session, w, session.lastRun, true); });
  else
    collect(session, w);
  app::runModal(session, [&] { return w.loaded; });
}

}  // namespace

void cmdPreview_Click(app::Session& session, PreviewWindow& w) { open(session, w, false); }

void cmdReport_Click(app::Session& session, PreviewWindow& w) { open(session, w, true); }

void cmdCollect_Click(app::Session& session, PreviewWindow& w) { collect(session, w); }

void cmdLastRun_Click(app::Session& session, PreviewWindow& w) {
  if (!w.collecting) resumeNext([&] { showPlan(session, w, session.lastRun, true); });
}

void cmdStop_Click(app::Session& session, PreviewWindow& w) {
  if (w.collecting) session.flags.abort = true;
}

void cmdSave_Click(app::Session& session, PreviewWindow& w) {
  if (w.collecting || !session.os.dialogs) return;
  resumeNext([&] {
    const std::string path =
        session.os.dialogs->saveFileName(w.form.hWnd, "Text files (*.txt)|*.txt|All files (*.*)|*.*",
                                         w.showsRun ? "Quellery report.txt" : "Quellery preview.txt", "txt");
    if (path.empty()) return;
    const long rc = platform::ReplaceWithNewFile(session.os.files, path, engine::ReportText(w.shown));
    if (rc == platform::winerr::Success) return;
    session.os.shell.messageBox(w.form.hWnd, "The report was not saved to " + path + ": " + saveErrorText(rc) + ".",
                                "Quellery", platform::mbicon::Exclamation);
  });
}

void lvwItems_DblClick(PreviewWindow& w) {
  const int row = w.lvwItems.selectedRow();
  if (row < 0) return;
  const int tag = w.lvwItems.row(row).tag;
  if (tag < 0 || tag >= static_cast<int>(w.shown.items.size())) return;
  const erase::ItemPlan& item = w.shown.items[tag];
  w.lvwTargets.setRows(targetRows(item));
  w.lblTargets.setCaption(item.caption + ": " +
                          (item.targets.empty() ? std::string("nothing found")
                                                : std::to_string(item.targets.size()) +
                                                      (item.targets.size() == 1 ? " target" : " targets")));
}

void UnloadPreview(app::Session& session, PreviewWindow& w) {
  if (!w.loaded) return;
  // The walk below this handler ends at its next look at the flag; nothing waits for it.
  if (w.collecting) session.flags.abort = true;
  w.form.setVisible(false);
  w.loaded = false;
}

}  // namespace preview

#pragma once
// frmPreview: what the ticked items would remove, or what the last run did, item by item,
// with an item's targets below. Loaded while `loaded` holds and shown modally over the
// main window; its windows are made the first time it shows.
#include "erase/Plan.h"
#include "ui/Controls.h"
#include "ui/ListView.h"

namespace preview {

struct PreviewWindow {
  PreviewWindow();

  ui::Form form;  // "Preview"
  ui::Label lblHeading;
  ui::ListView lvwItems;
  ui::Label lblTargets;
  ui::ListView lvwTargets;
  ui::ProgressBar prgCollect;
  ui::Button cmdStop, cmdCollect, cmdLastRun, cmdSave, cmdClose;

  bool loaded = false;
  bool collecting = false;
  bool closeAfterCollecting = false;  // closed while collecting: it closes once the walk stopped
  bool showsRun = false;  // `shown` is a run's report rather than a preview
  erase::Plan shown;
};

}  // namespace preview

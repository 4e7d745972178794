#include "preview/PreviewWindow.h"

#include "preview/PreviewRows.h"

namespace preview {

PreviewWindow::PreviewWindow()
    : form("frmPreview", {0, 0, 9600, 6600}, "Preview"),
      lblHeading(&form, "lblHeading", {120, 120, 9360, 255}, ""),
      lvwItems(&form, "lvwItems", {120, 420, 9360, 2895}),
      lblTargets(&form, "lblTargets", {120, 3420, 9360, 255}, "Double-click an item to list its targets"),
      lvwTargets(&form, "lvwTargets", {120, 3720, 9360, 2175}),
      prgCollect(&form, "prgCollect", {120, 6075, 2775, 285}),
      cmdStop(&form, "cmdStop", {3000, 6030, 1095, 375}, "Stop"),
      cmdCollect(&form, "cmdCollect", {4200, 6030, 1215, 375}, "Preview"),
      cmdLastRun(&form, "cmdLastRun", {5520, 6030, 1215, 375}, "Last Run"),
      cmdSave(&form, "cmdSave", {6840, 6030, 1215, 375}, "Save..."),
      cmdClose(&form, "cmdClose", {8160, 6030, 1320, 375}, "Close") {
  form.setVisible(false);
  lvwItems.setColumns(planColumns());
  lvwTargets.setColumns(targetColumns());
  cmdStop.setEnabled(false);
  prgCollect.setVisible(false);
}

}  // namespace preview

#include "app/RunTotals.h"

#include "app/Session.h"
#include "ui/ByteSize.h"

namespace app {

void ShowRunTotals(Session& session) {
  uint64_t freed = 0;
  unsigned atRestart = 0;
  for (const erase::ItemPlan& item : session.lastRun.items) {
    freed += item.bytes(erase::Outcome::Removed);
    atRestart += item.count(erase::Outcome::AtRestart);
  }
  std::string text = "Cleaning freed " + ui::byteSizeText(freed);
  if (atRestart)
    text += "; " + std::to_string(atRestart) + (atRestart == 1 ? " file goes" : " files go") + " at the next restart";
  session.frm.stBar.setPanelText(2, text);
  session.frm.cleaning.cmdReport.setEnabled(true);
}

}  // namespace app

#include "shredder/WipePage.h"

#include "app/Session.h"
#include "report/RuntimeError.h"
#include "shredder/FreeSpaceWipe.h"
#include "shredder/WipeDrives.h"
#include "shredder/WipeText.h"

namespace shredder {

using report::resumeNext;

void fillWipeDrives(app::Session& session) {
  ui::ListBox& list = session.frm.shredder.cmbWipeDrive;
  list.clear();
  for (const std::string& drive : wipeableDrives(session.os.files)) list.addItem(drive);
  if (list.listCount() > 0) list.setListIndex(0);
}

void cmdWipeFree_Click(app::Session& session) {
  app::ShredderPage& page = session.frm.shredder;
  const std::string drive = page.cmbWipeDrive.text();
  if (drive.empty()) {
    resumeNext([&] { page.lblWipeProgress.setCaption("Choose a drive to wipe."); });
    return;
  }
  resumeNext([&] { page.prgWipe.setValue(0); });
  resumeNext([&] { page.cmdWipeStop.zOrder(); });
  const WipeResult result = WipeFreeSpace(session, drive[0], [&](const WipeFigures& figures) {
    resumeNext([&] {
      page.prgWipe.setValue(figures.target ? static_cast<int>(figures.done * 100 / figures.target) : 100);
      page.lblWipeProgress.setCaption(wipeProgressText(figures));
    });
  });
  resumeNext([&] { page.cmdWipeFree.zOrder(); });
  resumeNext([&] { page.lblWipeProgress.setCaption(result.message); });
}

void cmdWipeStop_Click(app::Session& session) { session.stopWipe(); }

}  // namespace shredder

#include "custom/frmCustom.h"

#include "app/App.h"
#include "clean/FolderGuard.h"
#include "custom/BookmarkGuard.h"
#include "custom/StartPage.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/SavedSelections.h"
#include "settings/SettingsStore.h"
#include "settings/ValueText.h"

namespace custom {

using report::resumeNext;

namespace {

constexpr uint32_t kModalWaitMs = 50;
const char kLastHistory[] = "LastHistory";

void showGuardButtons(app::App& app) {
  CustomWindow& w = app.frmCustom;
  w.cmdEnableAutoBookMark.setEnabled(app.bookmarkButtons.enableEnabled);
  w.cmdDisableAutoBookMark.setEnabled(app.bookmarkButtons.disableEnabled);
}

void setGuardButtons(app::App& app, bool guardOn) {
  app.bookmarkButtons.loaded = true;
  app.bookmarkButtons.enableEnabled = !guardOn;
  app.bookmarkButtons.disableEnabled = guardOn;
  showGuardButtons(app);
}

// One step of Form_Load: a failure is reported and the next step runs.
template <typename Step>
void loadStep(app::App& app, Step&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    resumeNext([&] { report::reportFailure(app, report::tail::frmCustom_Form_Load, e); });
  }
}

}  // namespace

void cmdIEcustSettings_Click(app::App& app) {
  CustomWindow& w = app.frmCustom;
  if (w.loaded) return;
  Form_Load(app);
  w.loaded = true;
  w.form.setVisible(true);
  // Modal: the main window takes no input until this one closes; timers and the guard go on.
  app.frm.form.setEnabled(false);
  platform::EventLoop& loop = app.os.loop;
  while (w.loaded && !app.unloaded) {
    resumeNext([&] { loop.doEvents(); });
    if (w.loaded && !app.unloaded) loop.waitForEvents(kModalWaitMs);
  }
  app.frm.form.setEnabled(true);
}

void UnloadCustom(app::App& app) {
  CustomWindow& w = app.frmCustom;
  if (!w.loaded) return;
  resumeNext([&] { Form_Unload(app); });
  w.form.setVisible(false);
  w.loaded = false;
}

void Form_Load(app::App& app) {
  CustomWindow& w = app.frmCustom;
  loadStep(app, [&] {
    settings::loadBookmarkButtons(app);
    showGuardButtons(app);
  });
  loadStep(app, [&] {
    const std::string stored = settings::trimBlanks(
        settings::GetSetting(app.os.registry, settings::kAppName, kLastHistory, "HomePage", "Set your Home Page"));
    w.txthome.setText(stored.empty() ? "http:\\\\" : stored);
  });
  // What the browser has now wins over what was typed last time.
  loadStep(app, [&] { w.txthome.setText(ReadStartPage(app)); });
}

void Form_Unload(app::App& app) {
  CustomWindow& w = app.frmCustom;
  platform::Registry& registry = app.os.registry;
  resumeNext([&] { settings::SaveSetting(registry, settings::kAppName, kLastHistory, "HomePage", w.txthome.text()); });
  resumeNext([&] {
    settings::SaveSetting(registry, settings::kAppName, kLastHistory, "BookMarkE",
                          settings::boolText(w.cmdEnableAutoBookMark.enabled()));
  });
  resumeNext([&] {
    settings::SaveSetting(registry, settings::kAppName, kLastHistory, "BookMarkD",
                          settings::boolText(w.cmdDisableAutoBookMark.enabled()));
  });
}

void cmdSet_Click(app::App& app) {
  resumeNext([&] {
    CustomWindow& w = app.frmCustom;
    // A box of blanks holds no address either.
    const std::string url = settings::trimBlanks(w.txthome.text());
    if (url.empty()) {
      app.os.shell.messageBox(w.form.hWnd, "Please Add You URL Correctly ", "Quellery", platform::mbicon::Information);
      return;
    }
    WriteStartPage(app, url);
  });
}

void cmdUseBlank_Click(app::App& app) {
  resumeNext([&] {
    WriteStartPage(app, "about:blank");
    app.frmCustom.txthome.setText("about:blank");
  });
}

void cmdEnableAutoBookMark_Click(app::App& app) {
  resumeNext([&] {
    const std::string folder = GetFavouritesFolder(app);
    const clean::FolderRefusal refusal = StartBookmarkGuard(app, folder);
    setGuardButtons(app, refusal == clean::FolderRefusal::None);
    if (refusal == clean::FolderRefusal::None) return;
    const std::string named = folder.empty() ? std::string() : " (" + folder + ")";
    app.os.shell.messageBox(app.frmCustom.form.hWnd,
                            "The Favorites folder" + named + " " + clean::RefusalReason(refusal) +
                                ". Auto Bookmark deletes every new file in that folder, so it was not started.",
                            "Quellery", platform::mbicon::Exclamation);
  });
}

void cmdDisableAutoBookMark_Click(app::App& app) {
  resumeNext([&] {
    setGuardButtons(app, false);
    StopBookmarkGuard(app);
  });
}

}  // namespace custom

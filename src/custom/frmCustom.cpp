#include "custom/frmCustom.h"

#include "app/Session.h"
#include "app/Wait.h"
#include "clean/FolderGuard.h"
#include "custom/BookmarkGuard.h"
#include "custom/StartPage.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/SettingsStore.h"
#include "settings/ValueText.h"

namespace custom {

using report::resumeNext;

namespace {

const char kLastHistory[] = "LastHistory";

void setGuardButtons(app::Session& session, CustomWindow& w, bool guardOn) {
  session.bookmarkButtons.loaded = true;
  session.bookmarkButtons.enableEnabled = !guardOn;
  session.bookmarkButtons.disableEnabled = guardOn;
  w.cmdEnableAutoBookMark.setEnabled(!guardOn);
  w.cmdDisableAutoBookMark.setEnabled(guardOn);
}

// One step of Form_Load: a failure is reported and the next step runs.
template <typename Step>
void loadStep(platform::Platform& os, Step&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    resumeNext([&] { report::reportFailure(os, report::tail::frmCustom_Form_Load, e); });
  }
}

}  // namespace

void cmdIEcustSettings_Click(app::Session& session, CustomWindow& w, const FavouritesWatch& watch) {
  if (w.loaded || !app::passMayStart(session)) return;
  Form_Load(session, w, watch);
  w.loaded = true;
  w.form.setVisible(true);
  app::runModal(session, [&] { return w.loaded; });
}

void UnloadCustom(app::Session& session, CustomWindow& w) {
  if (!w.loaded) return;
  resumeNext([&] { Form_Unload(session, w); });
  w.form.setVisible(false);
  w.loaded = false;
}

void Form_Load(app::Session& session, CustomWindow& w, const FavouritesWatch& watch) {
  loadStep(session.os, [&] { setGuardButtons(session, w, watch.running); });
  loadStep(session.os, [&] {
    const std::string stored = settings::trimBlanks(
        settings::GetSetting(session.os.registry, settings::kAppName, kLastHistory, "HomePage", "Set your Home Page"));
    w.txthome.setText(stored.empty() ? "http:\\\\" : stored);
  });
  // What the browser has now wins over what was typed last time.
  loadStep(session.os, [&] { w.txthome.setText(ReadStartPage(session.run())); });
}

void Form_Unload(app::Session& session, CustomWindow& w) {
  platform::Registry& registry = session.os.registry;
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

void cmdSet_Click(app::Session& session, CustomWindow& w) {
  resumeNext([&] {
    // A box of blanks holds no address either.
    const std::string url = settings::trimBlanks(w.txthome.text());
    if (url.empty()) {
      session.os.shell.messageBox(w.form.hWnd, "Please Add You URL Correctly ", "Quellery",
                                  platform::mbicon::Information);
      return;
    }
    WriteStartPage(session.os, url);
  });
}

void cmdUseBlank_Click(app::Session& session, CustomWindow& w) {
  resumeNext([&] {
    WriteStartPage(session.os, "about:blank");
    w.txthome.setText("about:blank");
  });
}

void cmdEnableAutoBookMark_Click(app::Session& session, CustomWindow& w, FavouritesWatch& watch) {
  resumeNext([&] {
    const std::string folder = GetFavouritesFolder(session.run());
    const clean::FolderRefusal refusal = StartBookmarkGuard(session.run(), watch, folder);
    setGuardButtons(session, w, refusal == clean::FolderRefusal::None);
    if (refusal == clean::FolderRefusal::None) return;
    const std::string named = folder.empty() ? std::string() : " (" + folder + ")";
    session.os.shell.messageBox(w.form.hWnd,
                                "The Favorites folder" + named + " " + clean::RefusalReason(refusal) +
                                    ". Auto Bookmark deletes every new file in that folder, so it was not started.",
                                "Quellery", platform::mbicon::Exclamation);
  });
}

void cmdDisableAutoBookMark_Click(app::Session& session, CustomWindow& w, FavouritesWatch& watch) {
  resumeNext([&] {
    setGuardButtons(session, w, false);
    StopBookmarkGuard(session.run(), watch);
  });
}

void ResumeBookmarkGuard(app::Session& session, CustomWindow& w, FavouritesWatch& watch) {
  // No message when the folder is refused: it would show an invisible start.
  resumeNext([&] {
    loadBookmarkButtons(session);
    if (session.bookmarkButtons.disableEnabled)
      StartBookmarkGuard(session.run(), watch, GetFavouritesFolder(session.run()));
  });
  setGuardButtons(session, w, watch.running);
}

void loadBookmarkButtons(app::Session& session) {
  app::Session::BookmarkButtons& buttons = session.bookmarkButtons;
  if (buttons.loaded) return;
  buttons.loaded = true;
  auto stored = [&](const char* key, const char* defaultValue) {
    return settings::GetSetting(session.os.registry, settings::kAppName, kLastHistory, key, defaultValue);
  };
  resumeNext([&] {
    bool on = false;
    if (settings::toBool(stored("BookMarkE", "True"), &on)) buttons.enableEnabled = on;
  });
  resumeNext([&] {
    bool on = false;
    if (settings::toBool(stored("BookMarkD", "false"), &on)) buttons.disableEnabled = on;
  });
}

}  // namespace custom

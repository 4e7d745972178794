#include "panic/PanicKey.h"

#include <string>

#include "app/App.h"
#include "platform/Desktop.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/SavedSelections.h"
#include "settings/SettingsStore.h"
#include "settings/ValueText.h"

namespace panic {

namespace {
using platform::vkey::F1;
using platform::vkey::F11;
using platform::vkey::F12;
using platform::vkey::F2;
}  // namespace

void getPanicSetting(app::App& app) {
  report::resumeNext([&] {
    const int key = app.panicKey;
    // The list offers F2 to F12 only; any other code (F1 included) shows F11 and stays in
    // force.
    const int shown = key >= F2 && key <= F12 ? key : F11;
    app.frm.cmbPanic.setText("F" + std::to_string(shown - F1 + 1));
  });
}

void cmbPanOK_Click(app::App& app) {
  report::resumeNext([&] {
    const std::string text = settings::trimBlanks(app.frm.cmbPanic.text());
    int key = F11;
    for (int code = F2; code <= F12; ++code)
      if (text == "F" + std::to_string(code - F1 + 1)) {
        key = code;
        break;
      }
    app.panicKey = key;
    settings::SaveSetting(app.os.registry, settings::kAppName, "panic", "panKey", std::to_string(key));
  });
}

void timPanic_Timer(app::App& app) {
  try {
    ui::Label& hint = app.frm.cleaning.lblPanic;
    if (app.panicHintKeyNext) {
      hint.setCaption("Ctrl+" + app.frm.cmbPanic.text());
      app.panicHintKeyNext = false;
    } else {
      hint.setCaption("Panic");
      app.panicHintKeyNext = true;
    }
  } catch (const std::exception& e) {
    report::reportFailure(app, report::tail::timPanic_Timer, e);
  }
}

}  // namespace panic

#include "panic/PanicKey.h"

#include <string>

#include "app/Session.h"
#include "platform/Desktop.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"
#include "settings/SettingsStore.h"
#include "settings/ValueText.h"

namespace panic {

namespace {
using platform::vkey::F1;
using platform::vkey::F11;
using platform::vkey::F12;
using platform::vkey::F2;
}  // namespace

void getPanicSetting(app::Session& session) {
  report::resumeNext([&] {
    // The list offers F2 to F12 only: any other code (F1 included) gives way to F11, so
    // that the key shown is the key in force.
    if (session.panicKey < F2 || session.panicKey > F12) session.panicKey = F11;
    session.frm.cmbPanic.setText("F" + std::to_string(session.panicKey - F1 + 1));
  });
}

void cmbPanOK_Click(app::Session& session) {
  report::resumeNext([&] {
    const std::string text = settings::trimBlanks(session.frm.cmbPanic.text());
    int key = F11;
    for (int code = F2; code <= F12; ++code)
      if (text == "F" + std::to_string(code - F1 + 1)) {
        key = code;
        break;
      }
    session.panicKey = key;
    settings::SaveSetting(session.os.registry, settings::kAppName, "panic", "panKey", std::to_string(key));
  });
}

void timPanic_Timer(app::Session& session) {
  try {
    ui::Label& hint = session.frm.cleaning.lblPanic;
    if (session.panicHintKeyNext) {
      hint.setCaption("Ctrl+" + session.frm.cmbPanic.text());
      session.panicHintKeyNext = false;
    } else {
      hint.setCaption("Panic");
      session.panicHintKeyNext = true;
    }
  } catch (const std::exception& e) {
    report::reportFailure(session.os, report::tail::timPanic_Timer, e);
  }
}

}  // namespace panic

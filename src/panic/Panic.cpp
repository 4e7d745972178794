#include "panic/Panic.h"

#include <string>

#include "app/App.h"
#include "report/RuntimeError.h"
#include "settings/SavedSelections.h"
#include "settings/SettingsStore.h"
#include "settings/ValueText.h"

namespace panic {

namespace {
constexpr int kF1 = 112, kF2 = 113, kF11 = 122, kF12 = 123;
}

void getPanicSetting(app::App& app) {
  report::resumeNext([&] {
    const int key = app.panicKey;
    // F1 is shown although it cannot be chosen; any other code shows F11 and stays in force.
    const int shown = key >= kF1 && key <= kF12 ? key : kF11;
    app.frm.cmbPanic.setText("F" + std::to_string(shown - kF1 + 1));
  });
}

void cmbPanOK_Click(app::App& app) {
  report::resumeNext([&] {
    const std::string text = settings::trimBlanks(app.frm.cmbPanic.text());
    int key = kF11;
    for (int code = kF2; code <= kF12; ++code)
      if (text == "F" + std::to_string(code - kF1 + 1)) {
        key = code;
        break;
      }
    app.panicKey = key;
    settings::SaveSetting(app.os.registry, settings::kAppName, "panic", "panKey", std::to_string(key));
  });
}

void HideProgram(app::App&) {}
void ShowProgram(app::App&) {}

}  // namespace panic

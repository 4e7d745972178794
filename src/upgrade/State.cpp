#include "upgrade/State.h"

#include "app/App.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"
#include "settings/RegistryStrings.h"
#include "upgrade/Upgrade.h"

namespace upgrade {

std::string readState(app::App& app, const char* name, const std::string& defaultText) {
  return settings::tryMyGetSettingString(app, platform::hkey::LocalMachine, kStateKey, name, defaultText);
}

void saveState(app::App& app, const char* name, const std::string& text) {
  report::resumeNext([&] { settings::trySaveSettingString(app, platform::hkey::LocalMachine, kStateKey, name, text); });
}

void deleteState(app::App& app, const char* name) {
  report::resumeNext([&] {
    platform::Registry& reg = app.os.registry;
    platform::HKey key = 0;
    if (reg.openKey(platform::hkey::LocalMachine, kStateKey, &key) != platform::winerr::Success) return;
    reg.deleteValue(key, name);
    reg.closeKey(key);
  });
}

}  // namespace upgrade

#include "upgrade/State.h"

#include "platform/Platform.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"
#include "settings/RegistryStrings.h"
#include "upgrade/Upgrade.h"

namespace upgrade {

std::string readState(platform::Platform& os, const char* name, const std::string& defaultText) {
  return settings::tryMyGetSettingString(os, platform::hkey::LocalMachine, kStateKey, name, defaultText);
}

void saveState(platform::Platform& os, const char* name, const std::string& text) {
  report::resumeNext([&] { settings::trySaveSettingString(os, platform::hkey::LocalMachine, kStateKey, name, text); });
}

void deleteState(platform::Platform& os, const char* name) {
  report::resumeNext([&] {
    platform::Registry& reg = os.registry;
    platform::HKey key = 0;
    if (reg.openKey(platform::hkey::LocalMachine, kStateKey, &key) != platform::winerr::Success) return;
    reg.deleteValue(key, name);
    reg.closeKey(key);
  });
}

}  // namespace upgrade

#include "settings/RegistryStrings.h"

#include "platform/Platform.h"
#include "platform/RegistryString.h"
#include "platform/WinError.h"
#include "report/ReportTexts.h"

namespace settings {

using namespace platform;

namespace {
// KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE
constexpr uint32_t kSaveAccess = 0x2001F;
}  // namespace

void trySaveSettingString(platform::Platform& os, HKey root, const std::string& subKey, const std::string& name,
                          const std::string& text) {
  Registry& reg = os.registry;
  HKey key = 0;
  bool opened = false;
  try {
    opened = reg.createKeyEx(root, subKey, kSaveAccess, &key, nullptr) == winerr::Success;
    if (opened)
      reg.setValue(key, name, regtype::String, reinterpret_cast<const uint8_t*>(text.data()),
                   static_cast<uint32_t>(text.size()));
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::trySaveSettingString, e);
  }
  try {
    if (opened) reg.closeKey(key);
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::trySaveSettingString, e);
  }
}

std::string tryMyGetSettingString(platform::Platform& os, HKey root, const std::string& subKey, const std::string& name,
                                  const std::string& defaultText) {
  try {
    return readStringValue(os.registry, root, subKey, name, defaultText);
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::tryMyGetSettingString, e);
  }
  return defaultText;
}

}  // namespace settings

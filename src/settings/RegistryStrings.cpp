#include "settings/RegistryStrings.h"

#include "platform/Platform.h"
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
  Registry& reg = os.registry;
  std::string result = defaultText;
  HKey key = 0;
  bool opened = false;
  try {
    opened = reg.openKey(root, subKey, &key) == winerr::Success;
    uint32_t type = 0, size = 0;
    if (opened && reg.queryValue(key, name, &type, nullptr, &size) == winerr::Success && type == regtype::String) {
      std::string buffer(size, ' ');
      uint8_t empty = 0;
      uint8_t* data = size ? reinterpret_cast<uint8_t*>(&buffer[0]) : &empty;
      uint32_t got = size;
      // A value that changed size between the two queries is left at the default rather
      // than read as the blanks of the buffer.
      if (reg.queryValue(key, name, &type, data, &got) == winerr::Success && type == regtype::String) {
        const size_t zero = buffer.find('\0');
        result = zero == std::string::npos ? buffer : buffer.substr(0, zero);
      }
    }
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::tryMyGetSettingString, e);
  }
  try {
    if (opened) reg.closeKey(key);
  } catch (const std::exception& e) {
    report::reportFailure(os, report::tail::tryMyGetSettingString, e);
  }
  return result;
}

}  // namespace settings

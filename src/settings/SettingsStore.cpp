#include "settings/SettingsStore.h"

#include <vector>

#include "platform/WinError.h"
#include "report/RuntimeError.h"

namespace settings {

using namespace platform;

namespace {

// Closes the key however the read or write ends.
struct OpenKey {
  Registry& registry;
  HKey key = 0;
  ~OpenKey() {
    if (key) registry.closeKey(key);
  }
};

}  // namespace

std::string settingsKeyPath(const std::string& appName, const std::string& section) {
  return "Software\\" + appName + "\\Settings\\" + section;
}

std::string GetSetting(Registry& registry, const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
  OpenKey open{registry};
  const long opened = registry.openKeyEx(hkey::CurrentUser, settingsKeyPath(appName, section),
                                         regaccess::Read, &open.key);
  if (opened != winerr::Success) {
    open.key = 0;
    if (opened == winerr::FileNotFound || opened == winerr::PathNotFound) return defaultValue;
    throw report::RuntimeError(opened, "Cannot open the settings of " + section);
  }
  uint32_t type = 0, size = 0;
  long result = registry.queryValue(open.key, key, &type, nullptr, &size);
  if (result == winerr::FileNotFound) return defaultValue;
  if (result != winerr::Success && result != winerr::MoreData)
    throw report::RuntimeError(result, "Cannot read the setting " + key);
  if (type != regtype::String && type != regtype::ExpandString)
    throw report::RuntimeError(13, "Type mismatch in the setting " + key);
  std::vector<uint8_t> data(size + 1, 0);
  uint32_t capacity = size;
  result = registry.queryValue(open.key, key, &type, data.data(), &capacity);
  if (result != winerr::Success) throw report::RuntimeError(result, "Cannot read the setting " + key);
  std::string text(reinterpret_cast<const char*>(data.data()), capacity);
  return text.substr(0, text.find('\0'));
}

void SaveSetting(Registry& registry, const std::string& appName, const std::string& section,
                 const std::string& key, const std::string& value) {
  OpenKey open{registry};
  const long created = registry.createKey(hkey::CurrentUser, settingsKeyPath(appName, section), &open.key);
  if (created != winerr::Success) {
    open.key = 0;
    throw report::RuntimeError(created, "Cannot create the settings of " + section);
  }
  const long result = registry.setValue(open.key, key, regtype::String,
                                        reinterpret_cast<const uint8_t*>(value.c_str()),
                                        static_cast<uint32_t>(value.size() + 1));
  if (result != winerr::Success) throw report::RuntimeError(result, "Cannot write the setting " + key);
}

}  // namespace settings

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

SettingsSection::SettingsSection(Registry& registry, const std::string& appName, const std::string& section)
    : registry_(registry), section_(section) {
  opened_ = registry_.openKeyEx(hkey::CurrentUser, settingsKeyPath(appName, section), regaccess::Read, &key_);
  if (opened_ != winerr::Success) key_ = 0;
}

SettingsSection::~SettingsSection() {
  if (key_) registry_.closeKey(key_);
}

std::string SettingsSection::get(const std::string& key, const std::string& defaultValue) {
  if (opened_ != winerr::Success) {
    if (opened_ == winerr::FileNotFound || opened_ == winerr::PathNotFound) return defaultValue;
    throw report::RuntimeError(opened_, "Cannot open the settings of " + section_);
  }
  // Most values fit the first buffer, so one read does; a longer one is read at its size.
  uint32_t type = 0, size = 256;
  std::vector<uint8_t> data(size + 1, 0);
  long result = registry_.queryValue(key_, key, &type, data.data(), &size);
  if (result == winerr::MoreData) {
    result = registry_.queryValue(key_, key, &type, nullptr, &size);
    if (result == winerr::Success) {
      data.assign(size + 1, 0);
      result = registry_.queryValue(key_, key, &type, data.data(), &size);
    }
  }
  if (result == winerr::FileNotFound) return defaultValue;
  if (result != winerr::Success) throw report::RuntimeError(result, "Cannot read the setting " + key);
  if (type != regtype::String && type != regtype::ExpandString)
    throw report::RuntimeError(13, "Type mismatch in the setting " + key);
  std::string text(reinterpret_cast<const char*>(data.data()), size);
  return text.substr(0, text.find('\0'));
}

std::string GetSetting(Registry& registry, const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
  return SettingsSection(registry, appName, section).get(key, defaultValue);
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

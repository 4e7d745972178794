#pragma once
// The per-user settings store: text values addressed by application, section and key.
//
// Where it lives: HKEY_CURRENT_USER\Software\<application>\Settings\<section>, one key per
// application name and section, each value a REG_SZ named after its key. So the program's
// own values sit under "Software\Quellery\Settings\LastHistory", "...\MViewer" and
// "...\panic", apart from the single values other parts keep directly under
// "Software\Quellery".
#include <string>

#include "platform/Registry.h"

namespace settings {

// The application name every value of the program is stored under.
constexpr const char* kAppName = "Quellery";

// The key path of one section, below HKEY_CURRENT_USER.
std::string settingsKeyPath(const std::string& appName, const std::string& section);

// The stored text, or `defaultValue` when the key or the value is missing. A value that
// exists but cannot be read as text (binary, a number, a failed read) throws
// report::RuntimeError, so the caller's step is skipped and its control keeps its state.
// The text ends at the first zero character, whether or not the writer stored one.
std::string GetSetting(platform::Registry& registry, const std::string& appName,
                       const std::string& section, const std::string& key,
                       const std::string& defaultValue);

// One section's key opened once for many reads: start-up reads dozens of values, and each
// open and close of the key is another trip to the system. Reads as GetSetting does.
class SettingsSection {
 public:
  SettingsSection(platform::Registry& registry, const std::string& appName, const std::string& section);
  ~SettingsSection();
  SettingsSection(const SettingsSection&) = delete;
  SettingsSection& operator=(const SettingsSection&) = delete;

  std::string get(const std::string& key, const std::string& defaultValue);

 private:
  platform::Registry& registry_;
  std::string section_;
  platform::HKey key_ = 0;
  long opened_;
};

// Writes `value` as REG_SZ (with its terminating zero), creating the section's key when
// missing. Throws report::RuntimeError when the key cannot be created or written.
void SaveSetting(platform::Registry& registry, const std::string& appName,
                 const std::string& section, const std::string& key, const std::string& value);

}  // namespace settings

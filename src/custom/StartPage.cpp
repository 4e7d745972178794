#include "custom/StartPage.h"

#include "erase/RegValues.h"
#include "settings/RegistryStrings.h"

namespace custom {

namespace {
const char kMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kStartPage[] = "Start Page";
}  // namespace

std::string ReadStartPage(app::App& app) {
  return erase::ReadRegString(app, platform::hkey::CurrentUser, kMainKey, kStartPage);
}

void WriteStartPage(app::App& app, const std::string& url) {
  settings::trySaveSettingString(app, platform::hkey::CurrentUser, kMainKey, kStartPage, url);
}

}  // namespace custom

#include "custom/StartPage.h"

#include "erase/RegValues.h"
#include "settings/RegistryStrings.h"

namespace custom {

namespace {
const char kMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kStartPage[] = "Start Page";
}  // namespace

std::string ReadStartPage(const erase::RunContext& run) {
  return erase::ReadRegString(run, platform::hkey::CurrentUser, kMainKey, kStartPage);
}

void WriteStartPage(platform::Platform& os, const std::string& url) {
  settings::trySaveSettingString(os, platform::hkey::CurrentUser, kMainKey, kStartPage, url);
}

}  // namespace custom

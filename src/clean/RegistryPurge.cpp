#include "clean/RegistryPurge.h"

#include <exception>
#include <vector>

#include "app/App.h"
#include "erase/RegValues.h"
#include "platform/WinError.h"

namespace clean {

void PurgeRegistryList(app::App& app, const std::string& subKey) {
  PurgeRegistryList(app.os.registry, app.flags.abort, subKey);
}

void PurgeRegistryList(platform::Registry& registry, const bool& abort, const std::string& subKey) {
  std::exception_ptr failure;
  platform::HKey key = 0;
  try {
    if (registry.openKeyEx(platform::hkey::CurrentUser, subKey, platform::regaccess::AllAccess, &key) !=
        platform::winerr::Success)
      key = 0;
    // Always the first value: each deletion moves the next one to the front.
    while (key && !abort) {
      std::string name;
      uint32_t type = 0;
      std::vector<uint8_t> data;
      if (registry.enumValue(key, 0, &name, &type, &data) != platform::winerr::Success) break;
      if (registry.deleteValue(key, name) != platform::winerr::Success) break;
    }
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    if (key) registry.closeKey(key);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  erase::DeleteRegTree(registry, platform::hkey::CurrentUser, subKey);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace clean

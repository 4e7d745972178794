#pragma once
#include <string>

#include "platform/Registry.h"

namespace app {
class App;
}

namespace clean {

// Empties a most-recently-used list under HKEY_CURRENT_USER: deletes the key's values one
// at a time until one fails or the abort flag is set, then deletes the key with everything
// under it. The key deletion runs in every case, also when the key could not be opened or
// a step failed; such a failure is thrown afterwards for the caller's error tail.
void PurgeRegistryList(app::App& app, const std::string& subKey);
void PurgeRegistryList(platform::Registry& registry, const bool& abort, const std::string& subKey);

}  // namespace clean

#pragma once
// Reading, writing and deleting single registry values, failing silently.
#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace app {
class App;
}

namespace erase {

// A REG_SZ value up to its first zero; empty when missing or of any other type.
std::string ReadRegString(app::App& app, platform::HKey root, const std::string& subKey,
                          const std::string& name);
// Stores `text` as type 1 (string) or 3 (binary), exactly its characters with no
// terminating zero; opens or creates the key; other types store nothing.
void WriteRegValue(app::App& app, platform::HKey root, const std::string& subKey, const std::string& name,
                   const std::string& text, uint32_t type);
void DeleteRegValue(app::App& app, platform::HKey root, const std::string& subKey, const std::string& name);
// Deletes the key with everything under it (SHDeleteKeyA); the result code. An empty key,
// or one that starts with a backslash, is refused (InvalidParameter): it would name the
// whole root, all of HKEY_CURRENT_USER.
long DeleteRegTree(platform::Registry& registry, platform::HKey root, const std::string& subKey);

}  // namespace erase

#pragma once
// One string value of the registry, read or written in a single call.
#include <string>

#include "platform/Registry.h"

namespace platform {
struct Platform;
}

namespace settings {

// Writes `text` as a REG_SZ of exactly its characters (no terminating zero), creating the
// key and its missing parents.
void trySaveSettingString(platform::Platform& os, platform::HKey root, const std::string& subKey,
                          const std::string& name, const std::string& text);
// The REG_SZ value up to its first zero character; `defaultText` when the key or value is
// missing or of another type. Creates nothing.
std::string tryMyGetSettingString(platform::Platform& os, platform::HKey root, const std::string& subKey,
                                  const std::string& name, const std::string& defaultText);

}  // namespace settings

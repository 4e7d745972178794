#pragma once
// One string value of the registry read in a single call, with nothing reported: the error
// reporter reads its own settings with it.
#include <string>

#include "platform/Registry.h"

namespace platform {

// The REG_SZ value up to its first zero character; `defaultText` when the key or value is
// missing or of another type. Creates nothing; what the registry throws reaches the caller,
// the key closed.
std::string readStringValue(Registry& registry, HKey root, const std::string& subKey, const std::string& name,
                            const std::string& defaultText);

}  // namespace platform

#pragma once
#include <string>

#include "erase/RunContext.h"
#include "platform/Registry.h"

namespace clean {

// The item's line for a list it refused as a registry link.
extern const char kLinkedListSkipped[];

// Empties a most-recently-used list under HKEY_CURRENT_USER: deletes the key's values one
// at a time until the abort flag is set, past any that will not go, then deletes the key
// with everything under it (erase/RegTree.h). The key deletion runs also when a value step
// threw; such a
// failure is thrown afterwards for the caller's error tail. Each value and the key are
// recorded in the run's plan (while it collects, only recorded); a key that cannot be
// opened is recorded as failed. A key that is a registry link, lies below one or holds one
// is refused whole: its values and tree would be those of the key the link leads to. False
// when refused; the run then shows the item as skipped.
void PurgeRegistryList(const erase::RunContext& run, const std::string& subKey);
bool PurgeRegistryList(platform::Registry& registry, erase::RunFlags& flags, const std::string& subKey);

// Deletes a key under HKEY_CURRENT_USER with everything under it, unless the key is a
// registry link, lies below one or holds one; a key that is not there is nothing to refuse.
// Through `run`, a refusal shows the item as skipped.
void DeleteRegTreeUnlessLinked(const erase::RunContext& run, const std::string& subKey);
bool DeleteRegTreeUnlessLinked(platform::Registry& registry, erase::RunFlags& flags, const std::string& subKey);

}  // namespace clean

#pragma once
// Reading, writing and deleting single registry values, never failing out of the call.
#include <cstdint>
#include <string>

#include "erase/RunContext.h"
#include "platform/Registry.h"

namespace erase {

struct RunFlags;

// A REG_SZ value up to its first zero; empty when missing or of any other type.
std::string ReadRegString(const erase::RunContext& run, platform::HKey root, const std::string& subKey,
                          const std::string& name);
// Stores `text` as type 1 (string) or 3 (binary), exactly its characters with no
// terminating zero; opens or creates the key; other types store nothing. Recorded as a
// setting the run changes; while the run collects nothing is written. The key is reached
// component by component (RegKeyPath.h): one that is or lies below a link is refused.
void WriteRegValue(const erase::RunContext& run, platform::HKey root, const std::string& subKey,
                   const std::string& name, const std::string& text, uint32_t type);
// Deletes the value if it is there, recorded; while the run collects it is only recorded.
// A key that is or lies below a link is refused.
void DeleteRegValue(const erase::RunContext& run, platform::HKey root, const std::string& subKey,
                    const std::string& name);
// "HKEY_CURRENT_USER\Software\Key" and, with a value's name, "...\Key\name": a registry
// target as the plan names it.
std::string RegistryTarget(platform::HKey root, const std::string& subKey, const std::string& name = {});
// The reason a registry call failed, for the report ("Permission denied").
std::string describeRegistryError(long error);

}  // namespace erase

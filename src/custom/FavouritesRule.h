#pragma once
// Which files of the Favorites folder the guard counts as new.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace custom {

// What the folder was when the guard was enabled.
struct GuardReference {
  uint64_t enabledAt = 0;       // FILETIME
  std::set<std::string> names;  // upper-cased names of the files there at that moment
};

// Some file systems stamp a new file a little behind the clock (FAT in two-second steps);
// a file stamped this much before enabling still counts as written after it.
constexpr uint64_t kStampSlack = 2 * 10000000ull;

GuardReference takeReference(uint64_t now, const std::vector<platform::FindData>& entries);

// New: not in the folder when the guard was enabled, and created since. A favourite the
// user had before is never new, whatever its stamp says.
bool isNewFavourite(const GuardReference& reference, const platform::FindData& entry);

}  // namespace custom

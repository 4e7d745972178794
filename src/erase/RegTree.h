#pragma once
// A registry key deleted with everything below it through held keys, never by its path.
#include <string>

#include "erase/RegKeyPath.h"
#include "platform/Registry.h"

namespace erase {

struct RunFlags;

enum class TreeEnd { Removed, Missing, Refused, Failed };

// Deletes the key at `subKey` below `root` with everything below it, recorded in the run's
// plan as one registry key (while the run collects, only recorded; a missing key is not).
// The key is reached component by component (RegKeyPath.h); a key that is a link, lies
// below one or holds one is refused whole. An empty path, or one from a backslash, is
// refused too: it would name the whole root.
TreeEnd DeleteRegTree(platform::Registry& registry, RunFlags& flags, platform::HKey root,
                      const std::string& subKey);
// The same for the key `path` holds already, named `subKey` below `root` in the plan.
// Emptied through the held keys: each sub-key is opened as itself below the key above it,
// emptied the same way and deleted relative to it; a link met on the way (made after the
// check) is left, never followed, and the key above it with it.
TreeEnd DeleteHeldRegTree(platform::Registry& registry, RunFlags& flags, const HeldKeyPath& path,
                          platform::HKey root, const std::string& subKey);

}  // namespace erase

#pragma once
// Where Firefox and the programs built like it (SeaMonkey 2, Netscape 8 and 9) keep their
// profiles: each lists them in profiles.ini in its folder under the user's application data.
// A relative profile has its local half, where the caches lie, at the same place under
// local application data; a profile named whole keeps its caches in itself.
#include <string>
#include <vector>

#include "browsers/ProfileFolder.h"
#include "clean/FolderTargets.h"

namespace browsers {

struct MozillaProfile {
  const char* program;  // "Firefox", "SeaMonkey", "Netscape"
  ProfileFolder folder;
};

// Every profile folder of every such program, roaming halves and local halves, in the
// order the lists name them; refused ones carry their reason.
std::vector<MozillaProfile> FindMozillaProfiles(const erase::RunContext& run);

// The profile folders the items clean in, and the same with the local halves.
extern const clean::FolderSource kMozillaProfiles;
extern const clean::FolderSource kMozillaProfilesAndCaches;

}  // namespace browsers

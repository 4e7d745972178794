#pragma once
// The one walk that removes what lies below a folder.
//
// A name above a folder can be made to lead elsewhere while a walk yields to the window:
// a substituted drive redefined, a junction higher up re-pointed. Holding the folder stops
// it being renamed, not that. So below the folder it was given, the walk never goes by
// path: it lists through the held folder's handle, opens each entry relative to it as
// itself (a link is never followed), judges what the entry's own handle sees and removes
// the entry through that handle. Depth then no longer matters on the NT family; on 95, 98
// and ME, which have no links, the platform walks by path and 8.3 names and tells what
// it cannot reach. The walk keeps its own stack, so a tree 1,000 levels deep costs memory,
// not the program's stack, and what it leaves is counted by why (LeftBehind), logged, and
// added to the run's count.
#include <functional>
#include <memory>
#include <string>

#include "erase/LeftBehind.h"
#include "erase/RunContext.h"
#include "platform/FileSystem.h"

namespace erase {

struct WalkRules {
  // Entries with any of these attributes stay, and are counted.
  uint32_t keep = platform::fileattr::Hidden | platform::fileattr::System;
  bool descend = true;            // false: sub-folders are left as they are
  bool removeSubFolders = true;   // emptied sub-folders go
  bool clearAttributes = false;   // read-only, hidden and system are cleared so they go too
  // Entries left as they are, named by their path below the walked folder ("ab\\sys"): a
  // folder kept stays whole, and the folders holding it stay too. Neither logged nor recorded:
  // what an item keeps by name was never a trace.
  std::function<bool(const std::string& relative)> keepEntry;
  // Does the work on a file instead of deleting it (the shredder): Success or the error.
  std::function<long(platform::HeldFolder& folder, const platform::FindData& entry, const std::string& path)> onFile;
};

// The rules of a tree delete: everything goes, read-only, hidden and system too.
WalkRules TreeDeleteRules();

// Walks below `top`, held and judged by the caller; `topPath` (ending in "\\") names it in
// the log. Stops, removing nothing more, once the run is stopped.
LeftBehind WalkHeldFolder(const erase::RunContext& run, platform::HeldFolder& top, const std::string& topPath,
                          const WalkRules& rules);

// Holds `name` relative to `parent` (named `parentPath`, ending in "\\"); a link or a
// non-folder is left and counted. Otherwise walks it and removes it through its handle.
// True when it is gone.
bool RemoveHeldTree(const erase::RunContext& run, platform::HeldFolder& parent, const std::string& parentPath,
                    const std::string& name, const WalkRules& rules);

// The sub-folder `name` of `parent` (named `parentPath`, ending in "\\") held relative to
// it; null when it is not there, and also, logged and counted, when it is a link. `identity`
// (if given) tells what the handle sees.
std::unique_ptr<platform::HeldFolder> HoldPlainChild(const erase::RunContext& run, platform::HeldFolder& parent,
                                                     const std::string& parentPath, const std::string& name,
                                                     platform::FileIdentity* identity = nullptr);

// What a caller judges once the folder is held: true lets the walk go on.
using HeldCheck = std::function<bool(const platform::FileIdentity& folder)>;

// Walks the folder `path` names (ending in "\\") after holding it and letting `mayWalk`
// (if any) judge it; with `removeThis` it is held as an entry of its held parent and goes
// too, through its own handle. False when it could not be held or was refused.
bool WalkFolderAt(const erase::RunContext& run, const std::string& path, bool removeThis, const WalkRules& rules,
                  const HeldCheck& mayWalk);

}  // namespace erase

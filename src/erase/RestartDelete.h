#pragma once
// Files another program holds open, left to go when Windows next starts.
//
// A file in use cannot be deleted now, but Windows can delete it at its next start. What
// goes then is whatever its path names at that moment, long after our checks, so only a
// plain file is ever marked: never a link (the name may lead elsewhere), never a file with
// other names (its data would stay, reachable through a name no guard has seen), never a
// folder, and never a path whose drive letter means something else when Windows starts (a
// substituted drive) or that no longer leads to the very file the held folder holds. And
// only where no other user can change the folders above it before then: in the user's own
// profile, or the temp folder's own files (a folder in it is whoever made it's); never in a
// folder the machine-wide registry named.
#include <string>

#include "erase/RunContext.h"
#include "platform/FileSystem.h"

namespace erase {

// Marks `name`, an entry of `folder` (named `folderPath`, ending in "\\") that could not go
// with `error`, for deletion at the next start when the error says another program holds it
// (a sharing or lock violation) and the checks on its own handle allow it; records it then
// as AtRestart, logged. Marks nothing while the run only collects. True when marked.
bool MarkInUseForRestart(const erase::RunContext& run, platform::HeldFolder& folder, const std::string& folderPath,
                         const std::string& name, long error);

// The same for a file a browser item names by its full path: its folder is held first,
// from its drive root down, and refused when a link is met on the way.
bool MarkNamedFileInUseForRestart(const erase::RunContext& run, const std::string& path, long error);

}  // namespace erase

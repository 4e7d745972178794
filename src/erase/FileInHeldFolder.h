#pragma once
// One file named by its full path, removed through a handle opened relative to its folder.
// The folder is held from its drive root down (a link at any name on the way refuses it),
// the file is judged by what its own handle sees (a link is refused) and removed through
// that handle: a name above it re-pointed meanwhile leads nowhere.
#include <string>

#include "erase/Plan.h"
#include "erase/RunContext.h"
#include "platform/FileSystem.h"

namespace erase {

enum class FileRemoval { Missing, Refused, Planned, Removed, AtRestart, Failed };

// Removes the file at `path`, recorded as `kind`: Planned with its size while the run
// collects (nothing changes), Removed, Refused (a link, or a folder reached through one) or
// Failed with the reason. A missing file is no target. A file another program holds open
// goes at the next restart when the restart checks allow it (AtRestart).
FileRemoval RemoveFileInHeldFolder(const erase::RunContext& run, const std::string& path, TargetKind kind);

// The entry's name as `folder` lists it, found by its long or 8.3 name (empty when none is):
// what is opened is then the entry the listing showed, by the name it has.
std::string ListedName(platform::HeldFolder& folder, const std::string& name);

// The guard's reason for a target that is a link.
extern const char kLinkRefused[];

}  // namespace erase

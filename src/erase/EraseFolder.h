#pragma once
// Erasing whole folder trees.
#include <functional>
#include <string>

#include "erase/RunContext.h"
#include "platform/FileSystem.h"

namespace erase {

// Erases the folder's files and its sub-folders, at any depth (FolderWalk); hidden and
// system entries stay. `path` comes back with a trailing backslash. Sub-folders are
// removed when `removeSubs`, the folder itself when `removeThis`; nothing is removed once
// the run is stopped. Links met below the folder are left alone; what stays is counted.
void EraseFolder(const erase::RunContext& run, std::string& path, bool removeThis, bool removeSubs);

// Decides, with the folder already held open (so what it saw cannot change), whether the
// walk may go on.
using FolderCheck = std::function<bool(const platform::FileIdentity& folder)>;

// EraseFolder on `path` as it is (no backslash added), after `mayErase` agreed to the
// folder as held; false when the folder could not be held or was refused.
bool EraseCheckedFolder(const erase::RunContext& run, const std::string& path, bool removeThis, bool removeSubs,
                        const FolderCheck& mayErase);

// Empties and removes every immediate sub-folder of `folder`. An empty, relative or
// root folder is refused: emptying "every folder below" one of those is never meant.
void ClearSubFolders(const erase::RunContext& run, std::string folder);

}  // namespace erase

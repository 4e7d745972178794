#pragma once
// Folders the machine-wide registry (HKEY_LOCAL_MACHINE) names: an old Netscape's user
// folder, Opera's install folder. They are the same for every user of the computer, so on
// the NT family, where users are kept apart, such a folder may be another user's: an
// administrator's run would empty that user's history and mail. It is cleaned only where
// it lies in the current user's own profile folder; 95, 98 and ME keep no users apart.
#include <string>

#include "engine/RunContext.h"

namespace erase {

// True when the run may clean `folder` (a normalised full path, ending in "\\") that the
// machine-wide registry named; otherwise it is recorded as refused, with the reason.
bool MachineWideFolderMayBeCleaned(const engine::RunContext& run, const std::string& folder);

}  // namespace erase

#pragma once
// Whose folder is it? On the NT family users are kept apart, and a folder outside the
// current user's own profile may belong to another user, who can change it (turn a folder
// in it into a link) whenever they like; 95, 98 and ME keep no users apart.
//
// Folders the machine-wide registry (HKEY_LOCAL_MACHINE) names, an old Netscape's user
// folder or Opera's install folder, are the same for every user of the computer: an
// administrator's run would empty another user's history and mail. Such a folder is
// cleaned only where it lies in the current user's own profile.
#include <string>

#include "erase/RunContext.h"

namespace erase {

// True when the run may clean `folder` (a normalised full path, ending in "\\") that the
// machine-wide registry named; otherwise it is recorded as refused, with the reason.
bool MachineWideFolderMayBeCleaned(const erase::RunContext& run, const std::string& folder);

// True on the NT family, where users are kept apart.
bool UsersKeptApart(const erase::RunContext& run);
// True when `folder` (a normalised full path, ending in "\") lies in the current user's
// own profile folder, named either way (long or 8.3).
bool InOwnProfile(const erase::RunContext& run, const std::string& folder);
// True when `folder` is the temp folder itself, named either way.
bool IsTempFolder(const erase::RunContext& run, const std::string& folder);

}  // namespace erase

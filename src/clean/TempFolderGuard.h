#pragma once
// Emptying the temporary folder deletes everything below it, so a TEMP that names a drive
// root, a share, Windows, a profile, a shell folder or a program folder must never be
// emptied, however the path is spelt.
#include <string>

#include "clean/FolderGuard.h"
#include "erase/RunContext.h"

namespace clean {

// Why the temp folder `normalisedFolder`, held open as `held`, must not be emptied, or None.
// Only Windows' own Temp folder may lie inside Windows.
FolderRefusal JudgeTempFolder(const erase::RunContext& run, const std::string& normalisedFolder,
                              const platform::FileIdentity& held);

// True when the temp folder must not be emptied (JudgeTempFolder refuses it).
bool IsProtectedFolder(const erase::RunContext& run, const std::string& normalisedFolder,
                       const platform::FileIdentity& held);

}  // namespace clean

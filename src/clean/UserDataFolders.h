#pragma once
// The user's own data folders that programs keep their traces in: Application Data, which
// roams with the user, and Local Settings\Application Data, which stays on the machine
// (Windows 2000 and XP; on 95, 98 and ME where the shell tells one).
#include "clean/FolderTargets.h"

namespace clean {

extern const FolderSource kAppData;
extern const FolderSource kLocalAppData;

}  // namespace clean

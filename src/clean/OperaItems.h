#pragma once
// Where Opera keeps what its items clean: Opera before 7 its cache and cookies in its install
// folder, which the machine-wide registry names; Opera 7 everything in the user's profile.
#include "clean/FolderTargets.h"

namespace clean {

extern const FolderSource kOperaInstall;
extern const FolderSource kOperaProfile;

}  // namespace clean

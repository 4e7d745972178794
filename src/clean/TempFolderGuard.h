#pragma once
// Emptying the temporary folder deletes everything below it, so a TEMP that names a drive
// root, a share, Windows, a profile, a shell folder or a program folder must never be
// emptied, however the path is spelt.
#include <string>

#include "platform/FileSystem.h"

namespace app {
class App;
}

namespace clean {

// True when the temp folder `normalisedFolder` (erase::NormaliseFolderPath), held open as
// `held`, must not be emptied:
// - a share or device path, a drive root, or a folder that is a link;
// - a folder that is, or holds, a shell folder of the user or of All Users, the Windows or
//   system folder, the profile, Program Files or the program's own folder;
// - a profile: any folder directly in the folder that holds the profiles;
// - anything inside a Windows folder (on any drive) other than its Temp folder.
// Letter case, 8.3 names and substituted drives are seen through, and folders are compared
// by identity, so an alias of any kind is recognised: by file ids where Windows tells them,
// else (95, 98, ME) by a marker file dropped in the temp folder for the check and removed.
bool IsProtectedFolder(app::App& app, const std::string& normalisedFolder, const platform::FileIdentity& held);

}  // namespace clean

#pragma once
// Emptying the temporary folder deletes everything below it, so a TEMP that names a drive
// root, Windows, a profile or a program folder must never be emptied.
#include <string>

namespace app {
class App;
}

namespace clean {

// The absolute folder a path names, as Windows resolves it: "/" read as "\", blanks
// around it, "." and ".." segments, doubled backslashes and the trailing dots and blanks
// of each name removed, the drive letter upper-cased, a trailing backslash added ("c:\Temp\.\x\.."
// gives "C:\Temp\"). Empty for a path that is not absolute: empty, relative, "C:x", "\x",
// or a device path.
std::string NormaliseFolderPath(const std::string& path);

// True when the folder (already normalised) is a drive or share root, or is or holds one of
// the folders whose loss would break Windows, the user's files or the program: the Windows
// folder and its system folder (on every drive, also by the names WINDOWS and WINNT), the
// profile, My Documents, Program Files and the program's own folder. Every letter case and
// the short (8.3) form of each path count as the same folder.
bool IsProtectedFolder(app::App& app, const std::string& normalisedFolder);

}  // namespace clean

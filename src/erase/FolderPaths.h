#pragma once
// Folder paths as Windows resolves them, for the checks made before a folder is emptied.
#include <string>
#include <vector>

namespace erase {

// The absolute folder a path names, as Windows resolves it: "/" read as "\", blanks
// around it, "." and ".." segments and doubled backslashes removed, one trailing dot taken
// off a name followed by a backslash and every trailing dot and blank off the last name,
// the drive letter upper-cased, a trailing backslash added ("c:\Temp\.\x\.." gives
// "C:\Temp\"). Empty for a path that is not absolute: empty, relative, "C:x", "\x", or a
// device path ("\\?\", "\\.\").
std::string NormaliseFolderPath(const std::string& path);

// True for a name Windows reads as a device whatever folder holds it: CON, PRN, AUX, NUL,
// COM1 to COM9, LPT1 to LPT9, CLOCK$, CONIN$, CONOUT$, in any case, with any extension or
// blanks after ("CON.txt", "nul  .txt").
bool IsDeviceName(const std::string& name);

// Why Windows would open something other than `path` as spelt, or null when it opens that
// very path: a name ending in a dot or a blank ("foo.txt." opens foo.txt), a device name,
// a "\\?\" or "\\.\" prefix, a path that is not full ("x", "C:x", "\x"), "/", doubled
// backslashes, "." or "..". A folder may end in one backslash.
const char* RewrittenPathReason(const std::string& path);

// The names below the root ("C:" or "\\server\share") of a normalised folder, upper-cased.
std::vector<std::string> FolderNames(const std::string& normalisedFolder);

// True for a share path ("\\server\share\..."), normalised.
inline bool IsSharePath(const std::string& normalisedFolder) {
  return normalisedFolder.compare(0, 2, "\\\\") == 0;
}

// The normalised folders holding `normalisedFolder`, nearest first, down to its root.
std::vector<std::string> ParentFolders(const std::string& normalisedFolder);

// The folder as Windows opens it: without its trailing backslash, except at a drive root
// ("C:" alone names the drive's current folder).
std::string FolderToOpen(const std::string& folder);

}  // namespace erase

#pragma once
// Deletion at the next start on Windows 95, 98 and ME, which have no MoveFileExA: WININIT.EXE
// reads the [rename] section of WININIT.INI in the Windows folder before Windows itself
// loads, and "NUL=<path>" deletes the file. It runs in real-mode DOS, so the path must be
// the file's own 8.3 path, in plain ASCII, within DOS's 80 characters.
//
// WININIT.INI may already hold other programs' renames (a setup waiting to replace a DLL),
// each a line of their own: a profile call would replace a "NUL" key already there, so the
// file is edited as text, and written whole beside the old one before it replaces it.
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// Adds "NUL=<8.3 path of `path`>" to the [rename] section of `iniPath`, creating the file
// or the section where missing; a line already there is not added again. InvalidParameter
// when the file has no 8.3 path WININIT can take; the old file stays as it was on failure.
long AddWininitDeletion(FileSystem& files, const std::string& iniPath, const std::string& path);

}  // namespace platform

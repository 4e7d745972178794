#pragma once
// What the shredder refuses to touch. Each check answers the reason it refuses, or null
// when the path may be shredded.
#include <string>

#include "erase/RunContext.h"

namespace shredder {

// A device rather than a file: "\\\\.\\" and "\\\\?\\" paths, and any name along the path
// that Windows reads as a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, CLOCK$,
// CONIN$, CONOUT$), whatever extension follows.
bool namesDevice(const std::string& path);

// A file entry, judged by its name before it is opened: refused when it is no full path,
// a path Windows would read as another (erase::RewrittenPathReason), a device, a drive root, missing, a folder or a link. What the file itself is (a link,
// a file with more than one name, compressed...) is judged on its handle (ShredFile).
const char* fileRefusal(const erase::RunContext& run, const std::string& path);

// A folder to be wiped: refused when it is no full path, a path Windows would read as
// another, a device, a path through a link,
// a link itself, or a folder the temp folder guard keeps (drive and share roots, Windows
// and what is in it, profiles, shell folders, the program's folder, and every folder
// holding one of these, however spelt or aliased).
const char* folderRefusal(const erase::RunContext& run, const std::string& folder);

}  // namespace shredder

#pragma once
// What the shredder refuses to touch. Each check answers the reason it refuses, or null
// when the path may be shredded.
#include <string>

namespace app {
class App;
}

namespace shredder {

// A device rather than a file: "\\\\.\\" and "\\\\?\\" paths, and any name along the path
// that Windows reads as a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, CLOCK$,
// CONIN$, CONOUT$), whatever extension follows.
bool namesDevice(const std::string& path);

// A file entry: refused when it is no full path, a device, a drive root, a folder, a link,
// a file with more than one name (overwriting it would wipe the other name's data and
// deleting it would not remove the data), or a file that cannot be examined.
const char* fileRefusal(app::App& app, const std::string& path);

// A folder to be wiped: refused when it is no full path, a device, a path through a link,
// a link itself, or a folder the temp folder guard keeps (drive and share roots, Windows
// and what is in it, profiles, shell folders, the program's folder, and every folder
// holding one of these, however spelt or aliased).
const char* folderRefusal(app::App& app, const std::string& folder);

}  // namespace shredder

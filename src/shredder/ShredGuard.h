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

// A folder to be wiped: refused when it is no full path, a device, a drive or share root,
// the Windows or system folder, the profile or a shell folder, the program's folder, a
// folder that holds one of these (by name, short name or identity, so a substituted drive
// is seen through), or a path that passes through a link.
const char* folderRefusal(app::App& app, const std::string& folder);

}  // namespace shredder

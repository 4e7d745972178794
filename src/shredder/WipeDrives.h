#pragma once
// Which drives a free-space wipe may fill, and how much room it leaves on them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace shredder {

// The room a wipe leaves free so that Windows (its swap file, its temp files) and other
// programs keep working meanwhile: the larger of 64 MB and 1% of the drive.
uint64_t wipeMargin(uint64_t driveBytes);

// The local fixed drives, "C:" and on, substituted ones left out: the drop-down's list.
std::vector<std::string> wipeableDrives(platform::FileSystem& files);

// Why the drive `letter` is not wiped, or null when it may be; `space` gets its figures.
// A network drive's free space is the server's, a removable disk or CD may change while
// the wipe writes, a RAM disk keeps nothing past a restart, a substituted drive is a folder
// of another drive, and a root that is a link or cannot be held could lead elsewhere.
const char* wipeRefusal(platform::FileSystem& files, char letter, platform::DiskSpace* space);

// "C:\\" for 'C'.
std::string driveRoot(char letter);

}  // namespace shredder

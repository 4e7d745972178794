#pragma once
// Every file the program replaces (a report, the keep list, the shred list, WININIT.INI)
// is written as a new file and then put in place. Whoever can write the folder can leave
// a link, or a second name of someone else's file, where the program writes: a file
// opened by its name and truncated would write through it, with the rights of whoever
// runs the program. A file created new cannot be anyone's, and the move replaces the old
// entry as an entry, so neither can lead elsewhere; the old file stays whole until the
// new one is complete and in place.
#include <string>

#include "platform/FileSystem.h"

namespace platform {

// Writes `data` as a new file beside `path` ("PATH.new", else "PATH.new1" and on: an
// existing file of those names is never touched), checks on its handle that it has one
// name and is no link, flushes it and puts it in place of `path`. On any failure the new
// file is removed and `path` is as it was.
long ReplaceWithNewFile(FileSystem& files, const std::string& path, const std::string& data);

}  // namespace platform

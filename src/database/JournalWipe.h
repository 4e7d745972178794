#pragma once
// A journal or WAL holds the pages a transaction changed as they were before: the text of
// removed rows. No file of a database gives bytes back to the disk before they are zeros.
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "platform/OpenFile.h"

namespace database {

// Overwrites the file's bytes from `from` to its end with zeros and flushes them to the
// disk, through the handle. A platform error code, 0 on success.
long zeroFrom(platform::OpenFile& file, uint64_t from);

// Opens the journal `path`, zeroes it whole and removes it through the same handle.
// FileNotFound when there is none. A link, or a file with other names, would carry the
// zeros to a file elsewhere: it is left as it is, with AccessDenied.
long zeroAndRemove(platform::FileSystem& files, const std::string& path);

}  // namespace database

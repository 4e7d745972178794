#pragma once
// SQLite's file object over one held platform::OpenFile.
#include <memory>

#include <sqlite3.h>

#include "platform/OpenFile.h"

namespace database {

struct VfsFile {
  sqlite3_file base;  // first: SQLite sees a VfsFile as its sqlite3_file
  platform::OpenFile* file;
};

// Builds the VfsFile in the memory SQLite gave for it, taking over `file`.
void placeVfsFile(sqlite3_file* memory, std::unique_ptr<platform::OpenFile> file);

}  // namespace database

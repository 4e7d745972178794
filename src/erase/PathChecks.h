#pragma once
// Path normalising and existence tests.
#include <string>
#include <vector>

#include "erase/RunContext.h"

namespace erase {

// The path with "\\" appended when it does not end in one.
std::string AddBackslash(const std::string& path);
// True when a file (not a folder) is there.
bool FileExists(const erase::RunContext& run, const std::string& path);
// True when a listing of the path, folders and plain files but no hidden or system
// entries, yields a name: also for a plain file.
bool FolderExists(const erase::RunContext& run, const std::string& path);
// True when the file can be opened for reading.
bool CanOpenFile(const erase::RunContext& run, const std::string& path);
// True when `name`, blanks trimmed, equals an entry; yields once per entry that differs.
bool IsInList(const erase::RunContext& run, const std::vector<std::string>& list, const std::string& name);

}  // namespace erase

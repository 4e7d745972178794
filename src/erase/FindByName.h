#pragma once
// Searching a folder tree for files and folders by name.
#include <string>
#include <vector>

#include "erase/RunContext.h"

namespace erase {

// Appends the 8.3 path of every file below `folder` whose long name, regardless of case, is
// one of the whole names of `nameList` (blank-separated): deeper files before a folder's own.
void FindFilesByName(const erase::RunContext& run, const std::string& folder, const std::string& nameList,
                     std::vector<std::string>& results);
// Appends the 8.3 path of every folder below `folder` named `name`, regardless of case,
// searching inside matches too.
void FindFoldersByName(const erase::RunContext& run, const std::string& folder, const std::string& name,
                       std::vector<std::string>& results);

}  // namespace erase

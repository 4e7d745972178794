#pragma once
// A whole folder tree deleted through the walk's checks.
#include <string>

#include "erase/RunContext.h"

namespace erase {

// Deletes a folder with everything in it; true when it is gone. A link is neither followed
// nor removed.
bool DeleteFolderTree(const RunContext& run, std::string path);

}  // namespace erase

#pragma once
// Erasing single files and the files that match a mask.
#include <string>

#include "erase/Plan.h"
#include "erase/RunContext.h"

namespace erase {

// Deletes one file unless the run was stopped; logs the outcome.
void EraseFile(const erase::RunContext& run, const std::string& path);
// Deletes the normal and hidden files matching a mask such as "C:\\*.chk", yielding
// after each; stops when the run is stopped.
void EraseMatchingFiles(const erase::RunContext& run, const std::string& mask);

// The activity log's text for a failed deletion ("Permission denied").
std::string describeError(long error);
// A Windows error code as what a clean made of its target: 0 removed it.
Result resultOf(long error);
// EraseFile telling whether the file is gone (false when it is left, for whatever reason).
bool eraseFileReporting(const erase::RunContext& run, const std::string& path);

}  // namespace erase

#pragma once
// The report of a preview or a run, saved where an administrator asked.
#include <string>

#include "erase/Plan.h"

namespace platform {
class FileSystem;
}

namespace engine {

// Writes the report beside `path` and then moves it over `path`: a report cut short by a
// full disk or a lost share never replaces a whole one. False when it was not saved.
bool SaveReport(platform::FileSystem& files, const std::string& path, const erase::Plan& plan);

}  // namespace engine

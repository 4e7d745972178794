#pragma once
// Writing a report to a file the user chose, whole or not at all.
#include <string>

#include "platform/FileSystem.h"

namespace preview {

// Writes `text` beside `path` under a name no file has, then moves it over `path`: a full
// disk or a refused folder leaves the old file as it was and no half report. The Windows
// error of the step that failed, Success when the file holds the text.
long SaveText(platform::FileSystem& files, const std::string& path, const std::string& text);

// What a user is told of a failed save ("The disk is full").
std::string saveErrorText(long error);

}  // namespace preview

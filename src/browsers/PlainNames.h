#pragma once
// Names a browser's own files give for its profile folders, taken only where they cannot
// lead anywhere else.
#include <cstddef>
#include <string>

namespace browsers {

// MAX_PATH less the terminating zero.
constexpr size_t kLongestPathBelow = 259;

// True for plain names joined by single backslashes (clean::IsPlainRelativePath), none of
// them a device name ("CON", "nul.txt"), which Windows opens wherever it stands.
bool IsPlainFolderPath(const std::string& text);

}  // namespace browsers

#pragma once
// Reading Chrome's profile names out of its "Local State", a JSON file another program
// wrote: every byte is data, the work is linear in the file's size and its nesting is
// bounded, and only names that are plain folder names come out.
#include <cstddef>
#include <string>
#include <vector>

namespace browsers {

// A larger file is not read at all.
constexpr size_t kLocalStateLimit = 1024 * 1024;

// The keys of the object at "profile" / "info_cache" of the top-level object, in file
// order ("Default", "Profile 1"), each a single plain folder name (IsPlainFolderPath,
// without backslashes) of printable ASCII once its escapes are read; others are left out.
// Empty when the text is over the limit, is not JSON, nests deeper than 64 levels or has
// no such object: the caller then knows of the default profile only.
std::vector<std::string> ReadChromeProfileNames(const std::string& text);

}  // namespace browsers

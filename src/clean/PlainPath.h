#pragma once
// Text that may be joined below a folder without leading anywhere else.
#include <string>

namespace clean {

// True for one or more plain names joined by single backslashes ("Profiles\\ab.slt").
// False for an empty text or name (a leading, doubled or trailing backslash), for "." and
// "..", for a drive, UNC or device prefix, for control, wildcard and reserved characters,
// and for a name ending in a dot or a blank, which Windows would read as another name.
bool IsPlainRelativePath(const std::string& text);

}  // namespace clean

#pragma once
// Reading the profile list of Firefox and the programs built like it ("profiles.ini"), a
// file another program wrote: every byte is data, and no entry that could lead outside the
// folder it is read against, or to a folder Windows would open under another name, is kept.
#include <cstddef>
#include <string>
#include <vector>

namespace browsers {

// A larger file is no profile list and is not read at all.
constexpr size_t kProfilesIniLimit = 64 * 1024;

struct IniProfile {
  // Relative: one or more plain names joined by backslashes ("Profiles\\ab12.default"), the
  // file's forward slashes read as backslashes. Absolute: a full local path without a
  // trailing backslash ("D:\\Mine\\ff").
  std::string path;
  bool relative;
};

// The [ProfileN] sections of `text` in file order, each with one Path= and IsRelative=
// "1" or "0"; keys and section names in any letter case, blanks around them ignored, CR LF
// or LF lines. Left out: a section that names either key twice or lacks one; a relative
// path that is not plain (IsPlainRelativePath) or names a device; an absolute one that is
// not "X:\\" followed by such a plain path, or leaves no room below it within MAX_PATH.
// Nothing for a text over the limit.
std::vector<IniProfile> ReadProfilesIni(const std::string& text);

}  // namespace browsers

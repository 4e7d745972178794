#pragma once
// Reading the profile folders out of Mozilla's "registry.dat", a binary file another
// program wrote: every byte is data, the work is linear in the file's size, and no
// folder outside the Mozilla folder is ever named.
#include <cstddef>
#include <string>
#include <vector>

namespace clean {

// Larger files are not Mozilla's profile list and are not read at all.
constexpr size_t kRegistryDatLimit = 1024 * 1024;

// The profile folders ending in ".slt" that `registryDat` names below `mozillaFolder`
// (which ends in "\\"), in file order, each spelled as `mozillaFolder` followed by the
// rest of the name as the file has it. The folder is found regardless of ASCII letter
// case; a mention of it followed by another mention before the ".slt" counts from the
// later one. A name whose rest is not a plain relative path (IsPlainRelativePath) or that
// leaves no room for "\\cookies.txt" within MAX_PATH is left out. Nothing for a text over
// the limit.
std::vector<std::string> FindSltProfiles(const std::string& registryDat, const std::string& mozillaFolder);

}  // namespace clean

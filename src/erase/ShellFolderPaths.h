#pragma once
// Where Windows and the browsers keep their folders.
#include <cstdint>
#include <string>

#include "erase/RunContext.h"

namespace erase {

constexpr int kCsidlInternetCache = 32;

// The shell folder's path by SHGetSpecialFolderLocation; empty when the shell fails.
std::string GetFolderClean(const erase::RunContext& run, std::uintptr_t owner, int csidl);
// The user's Temporary Internet Files folder.
std::string GetInternetCacheFolder(const erase::RunContext& run);
// The Windows temporary folder as the system reports it.
std::string GetTempFolder(const erase::RunContext& run);
// The shell folder's path by SHGetFolderPath; empty when the lookup fails.
std::string GetSpecialFolder(const erase::RunContext& run, int csidl);
// Opera's folder from its App Paths entry.
std::string GetOperaPath(const erase::RunContext& run);

}  // namespace erase

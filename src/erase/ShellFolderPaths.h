#pragma once
// Where Windows and the browsers keep their folders.
#include <cstdint>
#include <string>

namespace app {
class App;
}

namespace erase {

constexpr int kCsidlInternetCache = 32;

// The shell folder's path by SHGetSpecialFolderLocation; empty when the shell fails.
std::string GetFolderClean(app::App& app, std::uintptr_t owner, int csidl);
// The user's Temporary Internet Files folder.
std::string GetInternetCacheFolder(app::App& app);
// The Windows temporary folder as the system reports it.
std::string GetTempFolder(app::App& app);
// The shell folder's path by SHGetFolderPath; empty when the lookup fails.
std::string GetSpecialFolder(app::App& app, int csidl);
// Opera's folder from its App Paths entry.
std::string GetOperaPath(app::App& app);

}  // namespace erase

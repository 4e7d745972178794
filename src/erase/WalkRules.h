#pragma once
// What every walk below a folder obeys: it yields to the window between entries, never
// goes through a link to elsewhere, and never works on a path too long for Windows.
#include <string>

#include "platform/FileSystem.h"

namespace app {
class App;
}

namespace erase {

// MAX_PATH less the terminating zero: the longest path a narrow Windows call takes.
constexpr size_t kLongestPath = 259;

void yieldOnce(app::App& app);
bool aborted(app::App& app);

// A junction, mount point or symbolic link: what it names may lie outside the folder.
inline bool isLink(const platform::FindData& entry) {
  return (entry.attributes & platform::fileattr::ReparsePoint) != 0;
}
inline bool isFolder(const platform::FindData& entry) {
  return (entry.attributes & platform::fileattr::Directory) != 0;
}
inline bool isDots(const platform::FindData& entry) { return entry.name == "." || entry.name == ".."; }

// True when `path` can be used whole; a folder also needs room for "\\*" to be listed.
inline bool fitsFile(const std::string& path) { return path.size() <= kLongestPath; }
inline bool fitsFolder(const std::string& path) { return path.size() + 2 <= kLongestPath; }

// Logs an entry a walk leaves alone, and why.
void logSkipped(const std::string& path, const char* reason);

}  // namespace erase

#include "platform/WinError.h"
#include "platform/WininitRename.h"
#include "platform/sim/SimFileSystem.h"

namespace platform::sim {

long SimFileSystem::deleteAtRestart(const std::string& path) {
  if (!fileIdsKnown) {
    const std::string windows = windowsFolder ? windowsFolder() : std::string();
    if (windows.empty()) return winerr::PathNotFound;
    return AddWininitDeletion(*this, windows + (windows.back() == '\\' ? "" : "\\") + "WININIT.INI", path);
  }
  if (restartMarkError) return restartMarkError;
  restartMarks.push_back(path);
  return winerr::Success;
}

}  // namespace platform::sim

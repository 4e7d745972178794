#include "platform/sim/SimShell.h"

namespace platform::sim {

bool SimShell::specialFolderLocation(std::uintptr_t, int csidl, std::string* path) {
  auto it = specialFolders.find(csidl);
  if (it == specialFolders.end() || missingFromLocation.count(csidl)) return false;
  *path = it->second;
  return true;
}

long SimShell::folderPath(std::uintptr_t, int csidl, std::string* path) {
  auto it = specialFolders.find(csidl);
  if (it == specialFolders.end() || missingFromFolderPath.count(csidl))
    return static_cast<long>(0x80070002u);  // not found
  *path = it->second;
  return 0;
}

}  // namespace platform::sim

#include "shredder/WipeDrives.h"

#include <algorithm>

#include "platform/WinError.h"

namespace shredder {

using namespace platform;

namespace {
constexpr uint64_t kMinimumMargin = 64ull << 20;
}

uint64_t wipeMargin(uint64_t driveBytes) { return std::max(kMinimumMargin, driveBytes / 100); }

std::string driveRoot(char letter) { return std::string(1, letter) + ":\\"; }

std::vector<std::string> wipeableDrives(FileSystem& files) {
  std::vector<std::string> drives;
  const uint32_t present = files.logicalDrives();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (!(present & (1u << (letter - 'A')))) continue;
    if (files.driveType(driveRoot(letter)) != drivetype::Fixed || !files.substitutedDrive(letter).empty()) continue;
    drives.push_back(std::string(1, letter) + ":");
  }
  return drives;
}

const char* wipeRefusal(FileSystem& files, char letter, DiskSpace* space) {
  *space = DiskSpace();
  const std::string root = driveRoot(letter);
  switch (files.driveType(root)) {
    case drivetype::Fixed: break;
    case drivetype::Remote: return "it is a network drive, whose free space is the server's";
    case drivetype::Removable:
    case drivetype::CdRom: return "it is a removable disk or CD-ROM, which may change while the wipe writes";
    case drivetype::RamDisk: return "it is a RAM disk, which keeps nothing past a restart";
    default: return "there is no such drive";
  }
  if (!files.substitutedDrive(letter).empty()) return "it is a substituted folder of another drive";
  FileIdentity identity;
  if (!files.holdFolder(root, &identity)) return "its root cannot be opened";
  if (identity.attributes & fileattr::ReparsePoint) return "its root is a link";
  if (files.diskSpace(root, space) != winerr::Success) return "its free space cannot be read";
  if (space->freeToCaller <= wipeMargin(space->total))
    return "it has no more free space than the room kept free for Windows (64 MB, or 1% of a larger drive)";
  return nullptr;
}

}  // namespace shredder

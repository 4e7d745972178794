// The simulated drives' kinds and sizes: free space is counted from the files stored on a
// drive, so a program that fills it meets ERROR_DISK_FULL where Windows would.
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <dirent.h>

#include <algorithm>

#include "platform/NameCase.h"
#include "platform/WinError.h"
#include "platform/sim/SimFileSystem.h"

namespace platform::sim {

namespace {

constexpr long kNotReady = 21;  // ERROR_NOT_READY

uint64_t bytesBelow(const std::string& dir) {
  uint64_t bytes = 0;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return 0;
  while (dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    const std::string path = dir + "/" + name;
    if (::lstat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      bytes += bytesBelow(path);
    else if (S_ISREG(st.st_mode))
      bytes += static_cast<uint64_t>(st.st_size);
  }
  ::closedir(d);
  return bytes;
}

char letterOf(const std::string& root) { return root.empty() ? 0 : platform::upperCase(root[0]); }

}  // namespace

void SimFileSystem::setDriveSize(char letter, uint64_t total, uint64_t usedElsewhere) {
  driveSizes_[platform::upperCase(letter)] = {total, usedElsewhere};
}

void SimFileSystem::useSpace(char letter, int64_t bytes) {
  DriveSize& size = driveSizes_[platform::upperCase(letter)];
  size.usedElsewhere = static_cast<uint64_t>(static_cast<int64_t>(size.usedElsewhere) + bytes);
}

void SimFileSystem::setDriveType(char letter, uint32_t type) { driveTypes_[platform::upperCase(letter)] = type; }

uint32_t SimFileSystem::driveType(const std::string& root) {
  const char letter = letterOf(root);
  if (letter < 'A' || letter > 'Z') return drivetype::NoRootDir;
  auto it = driveTypes_.find(letter);
  if (it != driveTypes_.end()) return it->second;
  const uint32_t drives = logicalDrives();
  if (!(drives & (1u << (letter - 'A')))) return drivetype::NoRootDir;
  return notReadyDrives & (1u << (letter - 'A')) ? drivetype::Removable : drivetype::Fixed;
}

char SimFileSystem::driveOf(const std::string& host) const {
  const std::string stored = physical(host);
  if (stored.size() < root_.size() + 2 || stored.compare(0, root_.size() + 1, root_ + "/") != 0) return 0;
  const char letter = stored[root_.size() + 1];
  // A substituted drive's files are stored on the drive its folder is on.
  auto sub = substitutes_.find(letter);
  return sub == substitutes_.end() || sub->second.empty() ? letter : platform::upperCase(sub->second[0]);
}

// A substituted drive is a link, not followed: its folder's files count once, on their drive.
uint64_t SimFileSystem::bytesStoredOn(char letter) const { return bytesBelow(root_ + "/" + std::string(1, letter)); }

long SimFileSystem::diskSpace(const std::string& root, DiskSpace* out) {
  *out = DiskSpace();
  char letter = letterOf(root);
  if (letter < 'A' || letter > 'Z' || !(logicalDrives() & (1u << (letter - 'A')))) return winerr::PathNotFound;
  if (notReadyDrives & (1u << (letter - 'A'))) return kNotReady;
  auto sub = substitutes_.find(letter);
  if (sub != substitutes_.end() && !sub->second.empty()) letter = platform::upperCase(sub->second[0]);
  auto it = driveSizes_.find(letter);
  if (it == driveSizes_.end()) {
    struct statvfs vfs;
    if (::statvfs(root_.c_str(), &vfs) != 0) return winerr::AccessDenied;
    out->freeToCaller = static_cast<uint64_t>(vfs.f_bavail) * vfs.f_frsize;
    out->total = static_cast<uint64_t>(vfs.f_blocks) * vfs.f_frsize;
    return winerr::Success;
  }
  const uint64_t used = it->second.usedElsewhere + bytesStoredOn(letter);
  out->total = it->second.total;
  out->freeToCaller = used < it->second.total ? it->second.total - used : 0;
  return winerr::Success;
}

size_t SimFileSystem::bytesThatFit(const std::string& host, uint64_t offset, size_t bytes, uint64_t size) const {
  const size_t limited = std::min(bytes, writeLimit_);
  const char letter = driveOf(host);
  auto it = driveSizes_.find(letter);
  if (it == driveSizes_.end()) return limited;
  const uint64_t used = it->second.usedElsewhere + bytesStoredOn(letter);
  const uint64_t free = used < it->second.total ? it->second.total - used : 0;
  // Bytes within the file's present length take no new room.
  const uint64_t roomEnd = size + free;
  if (offset >= roomEnd) return 0;
  return static_cast<size_t>(std::min<uint64_t>(limited, roomEnd - offset));
}

}  // namespace platform::sim

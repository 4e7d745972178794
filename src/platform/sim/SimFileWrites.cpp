#include "platform/sim/SimFileSystem.h"

// In-place writes, renames, identity and drives on the simulated disk.

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/WinError.h"

namespace platform::sim {

namespace {

long errnoCode(int e) {
  switch (e) {
    case ENOENT: return winerr::FileNotFound;
    case ENOTDIR: return winerr::PathNotFound;
    case EEXIST: return winerr::AlreadyExists;
    default: return winerr::AccessDenied;
  }
}

}  // namespace

long SimFileSystem::writeRefusal(const Resolved& r) const {
  if (r.error) return r.error;
  if (S_ISDIR(r.mode)) return winerr::AccessDenied;
  if (locked_.count(r.host)) return winerr::SharingViolation;
  auto it = attributes_.find(r.host);
  if (it != attributes_.end() && (it->second & fileattr::ReadOnly)) return winerr::AccessDenied;
  return winerr::Success;
}

long SimFileSystem::writeAt(const std::string& path, uint64_t offset, const std::string& data, bool flush) {
  const Resolved r = resolve(path);
  if (const long refused = writeRefusal(r)) return refused;
  const int fd = ::open(r.host.c_str(), O_WRONLY);
  if (fd < 0) return errnoCode(errno);
  bool ok = ::pwrite(fd, data.data(), data.size(), static_cast<off_t>(offset)) == static_cast<ssize_t>(data.size());
  if (ok && flush) {
    ok = ::fsync(fd) == 0;
    ++flushes;
  }
  ::close(fd);
  return ok ? winerr::Success : winerr::AccessDenied;
}

long SimFileSystem::setFileLength(const std::string& path, uint64_t length) {
  const Resolved r = resolve(path);
  if (const long refused = writeRefusal(r)) return refused;
  if (beforeSetLength) beforeSetLength(path);
  return ::truncate(r.host.c_str(), static_cast<off_t>(length)) == 0 ? winerr::Success : errnoCode(errno);
}

long SimFileSystem::moveFile(const std::string& from, const std::string& to) {
  const Resolved source = resolve(from);
  if (source.error) return source.error;
  if (locked_.count(source.host)) return winerr::SharingViolation;
  const Resolved target = resolve(to);
  if (target.error == winerr::Success) return winerr::AlreadyExists;
  if (target.error != winerr::FileNotFound) return target.error;
  if (::rename(source.host.c_str(), target.host.c_str()) != 0) return errnoCode(errno);
  auto it = attributes_.find(source.host);
  if (it != attributes_.end()) {
    attributes_[target.host] = it->second;
    attributes_.erase(source.host);
  }
  return winerr::Success;
}

long SimFileSystem::fileInformation(const std::string& path, FileIdentity* identity, uint64_t* size) {
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  struct stat st;
  if (::lstat(r.host.c_str(), &st) != 0) return errnoCode(errno);
  bool exists = false;
  identity->attributes = attributesOf(r.host, &exists);
  identity->links = static_cast<uint32_t>(S_ISDIR(st.st_mode) ? 1 : st.st_nlink);
  identity->volumeSerial = static_cast<uint32_t>(st.st_dev);
  identity->fileIndex = static_cast<uint64_t>(st.st_ino);
  identity->known = true;
  *size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
  return winerr::Success;
}

uint32_t SimFileSystem::logicalDrives() {
  uint32_t drives = notReadyDrives;
  for (int i = 0; i < 26; ++i) {
    struct stat st;
    const std::string drive = root_ + "/" + std::string(1, static_cast<char>('A' + i));
    if (::stat(drive.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) drives |= 1u << i;
  }
  return drives;
}

}  // namespace platform::sim

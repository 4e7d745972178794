#include "platform/sim/SimOpenFile.h"

// Files held open on the simulated disk, and what tests do to them meanwhile.

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/WinError.h"

namespace platform::sim {

namespace {

constexpr uint32_t kOverlayBits = fileattr::ReadOnly | fileattr::Hidden | fileattr::System | fileattr::Archive;

long fromErrno(int e) {
  switch (e) {
    case ENOENT: return winerr::FileNotFound;
    case ENOTDIR: return winerr::PathNotFound;
    case EEXIST: return winerr::AlreadyExists;
    default: return winerr::AccessDenied;
  }
}

std::string folderOf(const std::string& host) { return host.substr(0, host.rfind('/')); }

}  // namespace

SimFileSystem::FileKey SimFileSystem::keyOf(const std::string& host, bool* exists) {
  struct stat st;
  *exists = ::lstat(host.c_str(), &st) == 0;
  return *exists ? FileKey(static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)) : FileKey();
}

std::string SimFileSystem::streamFolder(FileKey key) const {
  return root_ + "/.streams/" + std::to_string(key.first) + "-" + std::to_string(key.second);
}

std::unique_ptr<OpenFile> SimFileSystem::openFile(const std::string& path, long* error) {
  const Resolved r = resolve(path);
  *error = r.error;
  if (r.error) return nullptr;
  *error = winerr::AccessDenied;
  if (S_ISDIR(r.mode)) return nullptr;
  bool exists = false;
  const FileKey key = keyOf(r.host, &exists);
  *error = winerr::SharingViolation;
  if (locked_.count(r.host) || openFiles_.count(key)) return nullptr;
  // Windows opens a read-only file for reading only; its attributes can still be set.
  auto overlay = attributes_.find(r.host);
  const bool writable = !S_ISLNK(r.mode) && !(overlay != attributes_.end() && (overlay->second & fileattr::ReadOnly));
  const int fd = ::open(r.host.c_str(), S_ISLNK(r.mode) ? O_PATH | O_NOFOLLOW : (writable ? O_RDWR : O_RDONLY) | O_NOFOLLOW);
  if (fd < 0) {
    *error = fromErrno(errno);
    return nullptr;
  }
  *error = winerr::Success;
  return std::make_unique<SimOpenFile>(*this, fd, r.host, path, writable);
}

std::unique_ptr<OpenFile> SimFileSystem::createNewFile(const std::string& path, long* error) {
  const Resolved r = resolve(path);
  *error = r.error == winerr::Success ? winerr::FileExists : r.error;
  if (r.error != winerr::FileNotFound) return nullptr;
  // O_EXCL refuses any entry of the name, a dangling link included, as CREATE_NEW does.
  const int fd = ::open(r.host.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
  if (fd < 0) {
    *error = errno == EEXIST ? winerr::FileExists : fromErrno(errno);
    return nullptr;
  }
  *error = winerr::Success;
  return std::make_unique<SimOpenFile>(*this, fd, r.host, path, true);
}

long SimFileSystem::makeHardLink(const std::string& path, const std::string& otherPath) {
  const Resolved r = resolve(path), other = resolve(otherPath);
  if (r.error != winerr::FileNotFound) return r.error ? r.error : winerr::AlreadyExists;
  if (other.error) return other.error;
  return ::link(other.host.c_str(), r.host.c_str()) == 0 ? winerr::Success : fromErrno(errno);
}

long SimFileSystem::swapForHardLink(const std::string& path, const std::string& otherPath) {
  const Resolved r = resolve(path), other = resolve(otherPath);
  if (r.error) return r.error;
  if (other.error) return other.error;
  bool exists = false;
  if (openFiles_.count(keyOf(r.host, &exists)) || locked_.count(r.host)) return winerr::SharingViolation;
  if (::rename(r.host.c_str(), (r.host + ".moved").c_str()) != 0) return fromErrno(errno);
  return ::link(other.host.c_str(), r.host.c_str()) == 0 ? winerr::Success : fromErrno(errno);
}

void SimFileSystem::setStorageAttributes(const std::string& path, uint32_t bits) {
  bool exists = false;
  const FileKey key = keyOf(resolve(path).host, &exists);
  if (exists) storage_[key] = bits & (fileattr::Compressed | fileattr::Sparse | fileattr::Encrypted);
}

void SimFileSystem::keepBytesOfRemoved(int fd, const std::string& host) {
  if (!keepRemovedBytes) return;
  std::string bytes;
  char buffer[4096];
  off_t at = 0;
  for (ssize_t n; (n = ::pread(fd, buffer, sizeof buffer, at)) > 0; at += n) bytes.append(buffer, static_cast<size_t>(n));
  removedBytes[host] = bytes;
}

long SimFileSystem::writeStream(const std::string& path, const std::string& stream, const std::string& data) {
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  bool exists = false;
  const std::string folder = streamFolder(keyOf(r.host, &exists));
  ::mkdir((root_ + "/.streams").c_str(), 0755);
  ::mkdir(folder.c_str(), 0755);
  const int fd = ::open((folder + "/" + stream).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return fromErrno(errno);
  const bool ok = ::write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size());
  ::close(fd);
  return ok ? winerr::Success : winerr::AccessDenied;
}

long SimFileSystem::readStream(const std::string& path, const std::string& stream, std::string* data) {
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  bool exists = false;
  const std::string host = streamFolder(keyOf(r.host, &exists)) + "/" + stream;
  const int fd = ::open(host.c_str(), O_RDONLY);
  if (fd < 0) return fromErrno(errno);
  data->clear();
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) data->append(buffer, static_cast<size_t>(n));
  ::close(fd);
  return winerr::Success;
}

SimOpenFile::SimOpenFile(SimFileSystem& files, int fd, std::string host, std::string path, bool writable)
    : files_(files), fd_(fd), host_(std::move(host)), path_(std::move(path)), writable_(writable) {
  struct stat st;
  if (::fstat(fd_, &st) == 0) key_ = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  files_.openFiles_.insert(key_);
}

SimOpenFile::~SimOpenFile() {
  auto it = files_.openFiles_.find(key_);
  if (it != files_.openFiles_.end()) files_.openFiles_.erase(it);
  ::close(fd_);
}

bool SimOpenFile::nameIsStillThisFile() const {
  struct stat now;
  return ::lstat(host_.c_str(), &now) == 0 && static_cast<uint64_t>(now.st_dev) == key_.first &&
         static_cast<uint64_t>(now.st_ino) == key_.second;
}

FileIdentity SimOpenFile::identity() {
  FileIdentity identity;
  struct stat st;
  if (::fstat(fd_, &st) != 0) {
    identity.attributes = fileattr::Invalid;
    return identity;
  }
  uint32_t attributes = S_ISLNK(st.st_mode) ? fileattr::ReparsePoint : 0;
  auto overlay = files_.attributes_.find(host_);
  attributes |= overlay != files_.attributes_.end() && nameIsStillThisFile() ? overlay->second : fileattr::Archive;
  auto storage = files_.storage_.find(key_);
  if (storage != files_.storage_.end()) attributes |= storage->second;
  identity.attributes = attributes ? attributes : fileattr::Normal;
  identity.links = static_cast<uint32_t>(st.st_nlink);
  identity.size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
  identity.volumeSerial = static_cast<uint32_t>(st.st_dev);
  identity.fileIndex = static_cast<uint64_t>(st.st_ino);
  identity.known = files_.fileIdsKnown;
  return identity;
}

long SimOpenFile::size(uint64_t* bytes) {
  struct stat st;
  if (::fstat(fd_, &st) != 0) return fromErrno(errno);
  *bytes = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
  return winerr::Success;
}

long SimOpenFile::readAt(uint64_t offset, size_t bytes, std::string* out) {
  out->assign(bytes, '\0');
  size_t got = 0;
  while (got < bytes) {
    const ssize_t n = ::pread(fd_, &(*out)[got], bytes - got, static_cast<off_t>(offset + got));
    if (n < 0) return fromErrno(errno);
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  out->resize(got);
  return winerr::Success;
}

long SimOpenFile::writeAt(uint64_t offset, std::string_view data) {
  if (!writable_) return winerr::AccessDenied;
  files_.handleJournal.push_back("write " + std::to_string(offset) + " " + std::to_string(data.size()));
  struct stat st;
  const uint64_t size = ::fstat(fd_, &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
  const size_t stored = files_.bytesThatFit(host_, offset, data.size(), size);
  if (::pwrite(fd_, data.data(), stored, static_cast<off_t>(offset)) != static_cast<ssize_t>(stored))
    return fromErrno(errno);
  return stored < data.size() ? 112 : winerr::Success;  // ERROR_DISK_FULL
}

long SimOpenFile::flush() {
  if (!writable_) return winerr::AccessDenied;
  files_.handleJournal.push_back("flush");
  ++files_.flushes;
  return ::fsync(fd_) == 0 ? winerr::Success : fromErrno(errno);
}

long SimOpenFile::setLength(uint64_t length) {
  if (!writable_) return winerr::AccessDenied;
  if (files_.beforeSetLength) files_.beforeSetLength(path_);
  files_.handleJournal.push_back("length " + std::to_string(length));
  return ::ftruncate(fd_, static_cast<off_t>(length)) == 0 ? winerr::Success : fromErrno(errno);
}

long SimOpenFile::setAttributes(uint32_t attributes) {
  if (!nameIsStillThisFile()) return winerr::AccessDenied;  // the overlay is kept by name
  files_.attributes_[host_] = attributes & kOverlayBits;
  return winerr::Success;
}

long SimOpenFile::namedStreams(std::vector<StreamInfo>* out) {
  out->clear();
  DIR* d = ::opendir(files_.streamFolder(key_).c_str());
  if (!d) return winerr::Success;
  const int dirFd = ::dirfd(d);
  while (dirent* e = ::readdir(d)) {
    struct stat st;
    if (e->d_name[0] == '.' || ::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    out->push_back({e->d_name, static_cast<uint64_t>(st.st_size)});
  }
  ::closedir(d);
  return winerr::Success;
}

std::unique_ptr<OpenFile> SimOpenFile::openStream(const std::string& name, long* error) {
  const std::string host =
      files_.streamFolder(key_) + "/" + name;
  const int fd = ::open(host.c_str(), (writable_ ? O_RDWR : O_RDONLY) | O_NOFOLLOW);
  if (fd < 0) {
    *error = fromErrno(errno);
    return nullptr;
  }
  *error = winerr::Success;
  return std::make_unique<SimOpenFile>(files_, fd, host, path_ + ":" + name, writable_);
}

long SimOpenFile::rename(const std::string& newName) {
  if (!nameIsStillThisFile()) return winerr::AccessDenied;
  const std::string renamed = folderOf(host_) + "/" + newName;
  const std::string renamedPath = path_.substr(0, path_.find_last_of("\\/") + 1) + newName;
  if (files_.resolve(renamedPath).error != winerr::FileNotFound) return winerr::AlreadyExists;
  if (::rename(host_.c_str(), renamed.c_str()) != 0) return fromErrno(errno);
  auto overlay = files_.attributes_.find(host_);
  if (overlay != files_.attributes_.end()) {
    files_.attributes_[renamed] = overlay->second;
    files_.attributes_.erase(host_);
  }
  host_ = renamed;
  path_ = renamedPath;
  return winerr::Success;
}

long SimOpenFile::replace(const std::string& newName) {
  if (!nameIsStillThisFile()) return winerr::AccessDenied;
  const std::string targetPath = path_.substr(0, path_.find_last_of("\\/") + 1) + newName;
  const SimFileSystem::Resolved target = files_.resolve(targetPath);
  if (target.error && target.error != winerr::FileNotFound) return target.error;
  if (!target.error) {
    bool exists = false;
    // Windows replaces no folder, no read-only file and no file another program holds.
    auto overlay = files_.attributes_.find(target.host);
    if (S_ISDIR(target.mode) || (overlay != files_.attributes_.end() && (overlay->second & fileattr::ReadOnly)))
      return winerr::AccessDenied;
    if (files_.locked_.count(target.host) || files_.openFiles_.count(SimFileSystem::keyOf(target.host, &exists)))
      return winerr::SharingViolation;
  }
  // rename(2) replaces the entry itself: a link or a second name there is not written through.
  if (::rename(host_.c_str(), target.host.c_str()) != 0) return fromErrno(errno);
  files_.attributes_.erase(target.host);
  auto overlay = files_.attributes_.find(host_);
  if (overlay != files_.attributes_.end()) {
    files_.attributes_[target.host] = overlay->second;
    files_.attributes_.erase(host_);
  }
  host_ = target.host;
  path_ = targetPath;
  return winerr::Success;
}

long SimOpenFile::remove() {
  if (!nameIsStillThisFile()) return winerr::AccessDenied;
  auto overlay = files_.attributes_.find(host_);
  if (overlay != files_.attributes_.end() && (overlay->second & fileattr::ReadOnly)) return winerr::AccessDenied;
  if (files_.beforeRemove) files_.beforeRemove(path_);
  struct stat before;
  if (::fstat(fd_, &before) == 0 && S_ISREG(before.st_mode) && before.st_nlink == 1)
    files_.keepBytesOfRemoved(fd_, host_);
  if (::unlink(host_.c_str()) != 0) return fromErrno(errno);
  if (overlay != files_.attributes_.end()) files_.attributes_.erase(overlay);
  struct stat left;
  if (::fstat(fd_, &left) == 0 && left.st_nlink == 0) {  // the file is gone, and its streams with it
    const std::string streams =
        files_.streamFolder(key_);
    if (DIR* d = ::opendir(streams.c_str())) {
      while (dirent* e = ::readdir(d))
        if (e->d_name[0] != '.') ::unlinkat(::dirfd(d), e->d_name, 0);
      ::closedir(d);
      ::rmdir(streams.c_str());
    }
    files_.storage_.erase(key_);
  }
  return winerr::Success;
}

}  // namespace platform::sim

// Held folders of the simulated disk. On the NT family a held folder is an open host
// folder: a walk lists through it and reaches entries relative to it (openat, unlinkat),
// so a drive letter or a junction above it that is re-pointed meanwhile changes nothing,
// as on Windows. Windows 95, 98 and ME hold nothing and walk by path.

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>

#include <dirent.h>
#include <strings.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/NameCase.h"
#include "platform/OpenFile.h"
#include "platform/PathHeldFolder.h"
#include "platform/WinError.h"
#include "platform/sim/SimFileSystem.h"
#include "platform/sim/SimOpenFile.h"

namespace platform::sim {

namespace {

constexpr long kNotAFolder = 267;  // ERROR_DIRECTORY
constexpr uint32_t kClearable = fileattr::ReadOnly | fileattr::Hidden | fileattr::System;

// A link, or anything that is not a folder, is opened as itself and never followed.
int openEntry(int dirFd, const char* name) {
  struct stat st;
  if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return -1;
  const int flags = S_ISDIR(st.st_mode) ? O_RDONLY | O_DIRECTORY | O_NOFOLLOW : O_PATH | O_NOFOLLOW;
  return ::openat(dirFd, name, flags | O_CLOEXEC);
}

bool plainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

long errnoError() {
  switch (errno) {
    case ENOENT: return winerr::FileNotFound;
    case ENOTEMPTY:
    case EEXIST: return winerr::DirNotEmpty;
    case ENOTDIR: return kNotAFolder;
    case EMFILE:
    case ENFILE: return winerr::NotEnoughMemory;
    default: return winerr::AccessDenied;
  }
}

}  // namespace

class SimHeldFolder : public HeldFolder {
 public:
  SimHeldFolder(SimFileSystem& files, int fd) : files_(files), fd_(fd) {
    char link[64], buffer[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd_);
    const ssize_t n = ::readlink(link, buffer, sizeof buffer - 1);
    host_ = files_.logical(n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string());
    files_.held_.insert(host_);
  }
  ~SimHeldFolder() override {
    files_.held_.erase(files_.held_.find(host_));
    ::close(fd_);
  }

  FileIdentity identity() {
    FileIdentity id;
    struct stat st;
    if (::fstat(fd_, &st) != 0) return id;
    bool exists = false;
    id.attributes = S_ISLNK(st.st_mode) ? files_.attributesOf(host_, &exists) : attributesOfOpen(st);
    id.volumeSerial = static_cast<uint32_t>(st.st_dev);
    id.fileIndex = static_cast<uint64_t>(st.st_ino);
    id.links = static_cast<uint32_t>(st.st_nlink);
    id.size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
    id.known = files_.fileIdsKnown;
    return id;
  }

  long list(std::vector<FindData>* out) override {
    out->clear();
    const int dup = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* d = dup < 0 ? nullptr : ::fdopendir(dup);
    if (!d) {
      if (dup >= 0) ::close(dup);
      return kNotAFolder;
    }
    std::vector<std::string> names;
    while (dirent* e = ::readdir(d))
      if (plainName(e->d_name)) names.push_back(e->d_name);
    // Listed in name order regardless of case, as NTFS lists a folder.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
      return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                          [](char x, char y) { return platform::upperCase(x) < platform::upperCase(y); });
    });
    const std::vector<std::string> shorts = files_.shortNames(host_, names);
    for (size_t i = 0; i < names.size(); ++i) {
      FindData data;
      if (!files_.entryAt(::dirfd(d), host_, names[i], &data)) continue;
      data.shortName = shorts[i];
      out->push_back(std::move(data));
    }
    ::closedir(d);
    return winerr::Success;
  }

  std::unique_ptr<HeldFolder> holdChild(const std::string& given, FileIdentity* identity, long* error) override {
    *identity = FileIdentity();
    const std::string name = onDisk(given);
    const int fd = plainName(name) ? openEntry(fd_, name.c_str()) : -1;
    if (fd < 0) {
      *error = plainName(name) ? errnoError() : winerr::InvalidParameter;
      return nullptr;
    }
    auto child = std::make_unique<SimHeldFolder>(files_, fd);
    *identity = child->identity();
    *error = winerr::Success;
    return child;
  }

  // The simulated disk keeps no access modes: looking in is holding.
  std::unique_ptr<HeldFolder> holdChildToLookIn(const std::string& given, FileIdentity* identity,
                                                long* error) override {
    return holdChild(given, identity, error);
  }

  long removeChildFile(const std::string& given, bool clearAttributes, const EntryCheck& check) override {
    const std::string name = onDisk(given);
    if (!plainName(name)) return winerr::InvalidParameter;
    const int fd = openEntry(fd_, name.c_str());
    if (fd < 0) return errnoError();
    SimHeldFolder entry(files_, fd);
    const FileIdentity identity = entry.identity();
    if (identity.attributes & fileattr::Directory) return winerr::AccessDenied;
    if (const long refusal = check ? check(identity.attributes) : winerr::Success) return refusal;
    return removeOpenedEntry(name, fd, entry.host_, clearAttributes);
  }

  long removeListedFile(const FindData& listed, bool clearAttributes) override {
    const std::string name = onDisk(listed.name);
    if (!plainName(name)) return winerr::InvalidParameter;
    const int fd = openEntry(fd_, name.c_str());
    if (fd < 0) return errnoError();
    SimHeldFolder entry(files_, fd);
    // The open itself refuses a folder, and a junction or folder link, which are folders too.
    struct stat followed;
    if (::fstatat(fd_, name.c_str(), &followed, 0) == 0 && S_ISDIR(followed.st_mode)) return winerr::AccessDenied;
    // Only what the listing showed is cleared: read-only set since refuses the deletion.
    return removeOpenedEntry(name, fd, entry.host_, clearAttributes && (listed.attributes & kClearable));
  }

  bool isChild(const std::string& given, const FileIdentity& file) override {
    if (!file.known) return true;
    const std::string name = onDisk(given);
    struct stat st;
    if (!plainName(name) || ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    return static_cast<uint32_t>(st.st_dev) == file.volumeSerial && static_cast<uint64_t>(st.st_ino) == file.fileIndex;
  }

  long childIdentity(const std::string& given, FileIdentity* identity) override {
    *identity = FileIdentity();
    const std::string name = onDisk(given);
    if (!plainName(name)) return winerr::InvalidParameter;
    const int fd = openEntry(fd_, name.c_str());
    if (fd < 0) return errnoError();
    SimHeldFolder entry(files_, fd);
    *identity = entry.identity();
    return winerr::Success;
  }

  std::unique_ptr<OpenFile> openChildFile(const std::string& given, long* error) override {
    const std::string name = onDisk(given);
    struct stat st;
    if (!plainName(name) || ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      *error = plainName(name) ? errnoError() : winerr::InvalidParameter;
      return nullptr;
    }
    const std::string host = host_ + "/" + name;
    const SimFileSystem::FileKey key{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    auto overlay = files_.attributes_.find(host);
    if (S_ISDIR(st.st_mode) || (overlay != files_.attributes_.end() && (overlay->second & fileattr::ReadOnly))) {
      *error = winerr::AccessDenied;
      return nullptr;
    }
    if (files_.locked_.count(host) || files_.openFiles_.count(key)) {
      *error = winerr::SharingViolation;
      return nullptr;
    }
    // A link is opened as itself, which cannot be written.
    const bool link = S_ISLNK(st.st_mode);
    const int fd = ::openat(fd_, name.c_str(), (link ? O_PATH : O_RDWR) | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
      *error = errnoError();
      return nullptr;
    }
    *error = winerr::Success;
    return std::make_unique<SimOpenFile>(files_, fd, host, windowsPath(host), !link);
  }

  std::unique_ptr<OpenFile> createChildFile(const std::string& given, long* error) override {
    const std::string name = onDisk(given);
    if (!plainName(name)) {
      *error = winerr::InvalidParameter;
      return nullptr;
    }
    // O_EXCL with O_NOFOLLOW refuses any entry of the name, a dangling link included.
    const int fd = ::openat(fd_, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
      *error = errno == EEXIST ? winerr::FileExists : errnoError();
      return nullptr;
    }
    *error = winerr::Success;
    const std::string host = host_ + "/" + name;
    return std::make_unique<SimOpenFile>(files_, fd, host, windowsPath(host), true);
  }

  long removeChildFolder(const std::string& name, std::unique_ptr<HeldFolder> child, bool clearAttributes) override {
    auto* held = dynamic_cast<SimHeldFolder*>(child.get());
    if (!held || !plainName(name) || !sameEntry(name, held->fd_)) return winerr::AccessDenied;
    const std::string host = held->host_;
    // Another holder's handle shares no deletion.
    if (files_.held_.count(host) > 1) return winerr::SharingViolation;
    if (const long rc = clearOrRefuse(host, clearAttributes)) return rc;
    struct stat st;
    const bool link = ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
    child.reset();
    if (::unlinkat(fd_, name.c_str(), link ? 0 : AT_REMOVEDIR) != 0) return errnoError();
    files_.attributes_.erase(host);
    return winerr::Success;
  }

 private:
  // Windows finds a name regardless of case.
  std::string onDisk(const std::string& name) const {
    struct stat st;
    if (!plainName(name) || ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return name;
    std::string found = name;
    const int dup = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DIR* d = dup < 0 ? nullptr : ::fdopendir(dup)) {
      while (dirent* e = ::readdir(d))
        if (::strcasecmp(e->d_name, name.c_str()) == 0) found = e->d_name;
      ::closedir(d);
    } else if (dup >= 0) {
      ::close(dup);
    }
    return found;
  }

  // "C:\\dir\\f.txt" for <root>/C/dir/f.txt.
  std::string windowsPath(const std::string& host) const {
    const std::string& root = files_.root_;
    if (host.size() < root.size() + 2 || host.compare(0, root.size() + 1, root + "/") != 0) return host;
    std::string path = host.substr(root.size() + 1, 1) + ":" + host.substr(root.size() + 2);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.size() == 2 ? path + "\\" : path;
  }

  // The file's bytes are kept for the tests when this name is its last.
  void keepBytesIfLastName(const std::string& name) {
    struct stat st;
    if (::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1)
      return;
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    files_.keepBytesOfRemoved(fd, host_ + "/" + name);
    ::close(fd);
  }

  uint32_t attributesOfOpen(const struct stat& st) {
    const bool folder = S_ISDIR(st.st_mode);
    uint32_t attributes = folder ? fileattr::Directory : 0;
    auto it = files_.attributes_.find(host_);
    if (it != files_.attributes_.end())
      attributes |= it->second;
    else if (!folder)
      attributes |= fileattr::Archive;
    return attributes ? attributes : fileattr::Normal;
  }

  bool sameEntry(const std::string& name, int fd) const {
    struct stat byName, byHandle;
    return ::fstatat(fd_, name.c_str(), &byName, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &byHandle) == 0 &&
           byName.st_dev == byHandle.st_dev && byName.st_ino == byHandle.st_ino;
  }

  // Deletes the entry `name`, opened as `fd` (host path `host`): refused while another
  // program holds it or while read-only stays.
  long removeOpenedEntry(const std::string& name, int fd, const std::string& host, bool clearAttributes) {
    if (files_.locked_.count(host)) return winerr::SharingViolation;
    if (const long rc = clearOrRefuse(host, clearAttributes)) return rc;
    // Deleting by name is deleting the entry the handle holds: nothing ran in between.
    if (!sameEntry(name, fd)) return winerr::AccessDenied;
    keepBytesIfLastName(name);
    if (::unlinkat(fd_, name.c_str(), 0) != 0) return errnoError();
    files_.attributes_.erase(host);
    return winerr::Success;
  }

  // Read-only refuses a deletion unless the walk's rules clear it.
  long clearOrRefuse(const std::string& host, bool clearAttributes) {
    auto it = files_.attributes_.find(host);
    if (it == files_.attributes_.end()) return winerr::Success;
    if (clearAttributes)
      it->second &= ~kClearable;
    else if (it->second & fileattr::ReadOnly)
      return winerr::AccessDenied;
    return winerr::Success;
  }

  SimFileSystem& files_;
  int fd_;
  std::string host_;
};

long SimFileSystem::identityAt(const std::string& path, FileIdentity* identity) {
  *identity = FileIdentity();
  if (identityRefused.count(upperCased(path))) return winerr::AccessDenied;
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos || slash + 1 == path.size()) return winerr::PathNotFound;
  FileIdentity folderSeen;
  const std::unique_ptr<HeldFolder> folder = holdFolder(path.substr(0, slash == 2 ? 3 : slash), &folderSeen);
  if (!folder) return resolve(path).error ? resolve(path).error : winerr::PathNotFound;
  return folder->childIdentity(path.substr(slash + 1), identity);
}

long SimFileSystem::fileIndexAt(const std::string& path, uint64_t* index) {
  FileIdentity identity;
  long rc = identityAt(path, &identity);
  // identityAt names an entry of a folder; a drive root opens as itself.
  if (rc != winerr::Success && path.size() == 3) rc = holdFolder(path, &identity) ? winerr::Success : rc;
  if (rc != winerr::Success) return rc;
  if (!identity.known) return winerr::CallNotImplemented;
  *index = identity.fileIndex;
  return winerr::Success;
}

std::unique_ptr<HeldFolder> SimFileSystem::holdFolder(const std::string& path, FileIdentity* identity) {
  *identity = FileIdentity();
  if (identityRefused.count(upperCased(path))) return nullptr;
  if (!fileIdsKnown) return holdFolderByPath(*this, path, identity);
  const Resolved r = resolve(path);
  if (r.error) return nullptr;
  const size_t slash = r.host.find_last_of('/');
  const bool driveRoot = r.host.size() == root_.size() + 2;
  const std::string parent = driveRoot ? r.host : r.host.substr(0, slash);
  const int dirFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return nullptr;
  const int fd = driveRoot ? dirFd : openEntry(dirFd, r.host.c_str() + slash + 1);
  if (!driveRoot) ::close(dirFd);
  if (fd < 0) return nullptr;
  auto held = std::make_unique<SimHeldFolder>(*this, fd);
  *identity = held->identity();
  return held;
}

}  // namespace platform::sim

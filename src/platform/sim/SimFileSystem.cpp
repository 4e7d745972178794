#include "platform/sim/SimFileSystem.h"

// The simulated disk lives on a POSIX host; a Windows build has the real one.

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/NameCase.h"
#include "platform/WinError.h"
#include "platform/sim/SimPathRules.h"

namespace platform::sim {

namespace {

constexpr size_t kMaxPath = 260;  // MAX_PATH, the terminating zero included
constexpr long kDiskFull = 112;   // ERROR_DISK_FULL
constexpr uint32_t kOverlayBits =
    fileattr::ReadOnly | fileattr::Hidden | fileattr::System | fileattr::Archive;

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && platform::upperCased(a) == platform::upperCased(b);
}

long fromErrno(int e) {
  switch (e) {
    case ENOENT: return winerr::FileNotFound;
    case ENOTDIR: return winerr::PathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR: return winerr::AccessDenied;
    case ENOTEMPTY: return winerr::DirNotEmpty;
    case EEXIST: return winerr::AlreadyExists;
    case ENAMETOOLONG: return winerr::FilenameTooLong;
    default: return winerr::AccessDenied;
  }
}

bool globMatch(const char* mask, const char* name) {
  const char* starMask = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask == '?' || (*mask && platform::upperCase(*mask) == platform::upperCase(*name))) {
      ++mask;
      ++name;
    } else if (starMask) {
      mask = starMask;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == 0;
}

// FindFirstFile's reading of a mask: a trailing ".*" also takes names without a dot.
bool maskMatches(const std::string& mask, const std::string& name) {
  if (globMatch(mask.c_str(), name.c_str())) return true;
  if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0 && name.find('.') == std::string::npos)
    return globMatch(mask.substr(0, mask.size() - 2).c_str(), name.c_str());
  return false;
}

bool is83Char(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return std::strchr("!#$%&'()-@^_`{}~", c) != nullptr && c != 0;
}

bool isShortName(const std::string& name) {
  if (name == "." || name == "..") return true;
  const size_t dot = name.find('.');
  if (dot != name.rfind('.')) return false;
  const std::string base = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string::npos && ext.empty()) return false;
  for (char c : base + ext)
    if (!is83Char(c)) return false;
  return true;
}

uint64_t fileTime(const struct timespec& t) {
  return (static_cast<uint64_t>(t.tv_sec) + 11644473600ull) * 10000000ull + static_cast<uint64_t>(t.tv_nsec) / 100;
}

}  // namespace

SimFileSystem::SimFileSystem(std::string hostRoot) : root_(std::move(hostRoot)) {
  ::mkdir(root_.c_str(), 0755);
  ::mkdir((root_ + "/C").c_str(), 0755);
  char buffer[PATH_MAX];
  if (::realpath(root_.c_str(), buffer)) realRoot_ = buffer;
}

SimFileSystem::Resolved SimFileSystem::resolve(const std::string& given) {
  Resolved r;
  if (given.size() >= kMaxPath && given.compare(0, 4, "\\\\?\\") != 0) {
    r.error = winerr::FilenameTooLong;
    return r;
  }
  const Win32Path path = ReadWin32Path(given, fileIdsKnown);
  if (!path.device.empty()) {
    // Reading, writing, attributes and listing take a device as a file; the rest refuse it.
    r.device = path.device;
    r.error = winerr::InvalidParameter;
    return r;
  }
  if (path.error) {
    r.error = path.error;
    return r;
  }
  const std::vector<std::string>& parts = path.names;
  const std::string drive = root_ + "/" + std::string(1, path.drive);
  struct stat st;
  // The common case: the path is spelled as on disk.
  std::string exact = drive;
  for (const std::string& p : parts) exact += "/" + p;
  // A drive's root is the drive, never a link, even where a substituted one is kept as one.
  if ((parts.empty() ? ::stat(exact.c_str(), &st) : ::lstat(exact.c_str(), &st)) == 0) {
    r.host = exact;
    r.mode = st.st_mode;
    return r;
  }
  if (::stat(drive.c_str(), &st) != 0) {
    r.error = winerr::PathNotFound;
    r.host = exact;
    return r;
  }
  std::string cur = drive;
  r.mode = st.st_mode;
  for (size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    std::string next = cur + "/" + parts[i];
    if (::lstat(next.c_str(), &st) != 0) {
      // Not spelled as on disk: look for the name, or its 8.3 name, regardless of case.
      std::vector<std::string> names;
      if (DIR* d = ::opendir(cur.c_str())) {
        while (dirent* e = ::readdir(d))
          if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
        ::closedir(d);
      }
      std::string found;
      for (const std::string& n : names)
        if (sameName(n, parts[i])) found = n;
      if (found.empty() && parts[i].find('~') != std::string::npos) {
        const std::vector<std::string> shorts = shortNames(cur, names);
        for (size_t k = 0; k < names.size(); ++k)
          if (!shorts[k].empty() && sameName(shorts[k], parts[i])) found = names[k];
      }
      if (found.empty()) {
        r.error = last ? winerr::FileNotFound : winerr::PathNotFound;
        for (size_t k = i; k < parts.size(); ++k) cur += "/" + parts[k];
        r.host = cur;
        return r;
      }
      next = cur + "/" + found;
      ::lstat(next.c_str(), &st);
    }
    if (!last) {
      struct stat target;
      if (::stat(next.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) {
        r.error = winerr::PathNotFound;
        for (size_t k = i + 1; k < parts.size(); ++k) next += "/" + parts[k];
        r.host = next;
        return r;
      }
    }
    cur = next;
    r.mode = st.st_mode;
  }
  r.host = cur;
  return r;
}

uint32_t SimFileSystem::attributesOf(const std::string& host, bool* exists) {
  struct stat st;
  const bool driveRoot = host.size() == root_.size() + 2;
  if ((driveRoot ? ::stat(host.c_str(), &st) : ::lstat(host.c_str(), &st)) != 0) {
    *exists = false;
    return fileattr::Invalid;
  }
  *exists = true;
  uint32_t attributes = 0;
  bool folder = S_ISDIR(st.st_mode);
  if (S_ISLNK(st.st_mode)) {
    attributes |= fileattr::ReparsePoint;
    struct stat target;
    folder = ::stat(host.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
  }
  if (folder) attributes |= fileattr::Directory;
  if (!storage_.empty()) {
    auto storage = storage_.find({static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)});
    if (storage != storage_.end()) attributes |= storage->second;
  }
  auto it = attributes_.find(host);
  if (it != attributes_.end())
    attributes |= it->second;
  else if (!folder)
    attributes |= fileattr::Archive;
  return attributes ? attributes : fileattr::Normal;
}

std::vector<std::string> SimFileSystem::shortNames(const std::string& hostDir,
                                                   const std::vector<std::string>& names) {
  // Windows gives a long name its 8.3 name once, when the file is made, and keeps it: a
  // name made later takes the next free number and shifts nobody. The sim makes it when
  // it first sees the name, and forgets it with the name.
  struct stat st;
  if (::stat(hostDir.c_str(), &st) != 0) return std::vector<std::string>(names.size());
  std::map<std::string, std::string>& given = aliases_[{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)}];
  const std::set<std::string> present(names.begin(), names.end());
  for (auto it = given.begin(); it != given.end();) it = present.count(it->first) ? std::next(it) : given.erase(it);
  std::vector<std::string> result(names.size());
  std::set<std::string> taken;
  std::vector<size_t> order;
  for (size_t i = 0; i < names.size(); ++i) {
    auto known = given.find(names[i]);
    if (isShortName(names[i]))
      taken.insert(platform::upperCased(names[i]));
    else if (known != given.end())
      taken.insert(result[i] = known->second);
    else
      order.push_back(i);
  }
  // Names first seen together are numbered in name order.
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return platform::upperCased(names[a]) < platform::upperCased(names[b]); });
  for (size_t i : order) {
    const std::string& name = names[i];
    const size_t dot = name.rfind('.');
    std::string base, ext;
    for (size_t k = 0; k < name.size(); ++k) {
      const char c = name[k];
      if (c == ' ' || (c == '.' && k != dot)) continue;
      if (k == dot) continue;
      const char s = is83Char(c) ? platform::upperCase(c) : '_';
      if (dot != std::string::npos && k > dot) {
        if (ext.size() < 3) ext += s;
      } else {
        base += s;
      }
    }
    for (int n = 1; n < 1000000; ++n) {
      const std::string tail = "~" + std::to_string(n);
      std::string candidate = base.substr(0, 8 - std::min<size_t>(tail.size(), 7)) + tail;
      if (!ext.empty()) candidate += "." + ext;
      if (taken.insert(candidate).second) {
        result[i] = given[name] = candidate;
        break;
      }
    }
  }
  return result;
}

bool SimFileSystem::entryAt(int dirFd, const std::string& hostDir, const std::string& name, FindData* data) {
  struct stat es;
  if (::fstatat(dirFd, name.c_str(), &es, AT_SYMLINK_NOFOLLOW) != 0) return false;
  data->name = name;
  bool folderEntry = S_ISDIR(es.st_mode);
  uint32_t attributes = 0;
  if (S_ISLNK(es.st_mode)) {
    attributes |= fileattr::ReparsePoint;
    struct stat target;
    folderEntry = ::fstatat(dirFd, name.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
  }
  if (folderEntry) attributes |= fileattr::Directory;
  auto it = attributes_.empty() ? attributes_.end() : attributes_.find(hostDir + "/" + name);
  if (it != attributes_.end())
    attributes |= it->second;
  else if (!folderEntry)
    attributes |= fileattr::Archive;
  if (!storage_.empty()) {
    auto storage = storage_.find({static_cast<uint64_t>(es.st_dev), static_cast<uint64_t>(es.st_ino)});
    if (storage != storage_.end()) attributes |= storage->second;
  }
  data->attributes = attributes ? attributes : fileattr::Normal;
  data->size = folderEntry ? 0 : static_cast<uint64_t>(es.st_size);
  data->creationTime = fileTime(es.st_ctim);
  data->lastWriteTime = fileTime(es.st_mtim);
  return true;
}

long SimFileSystem::findFiles(const std::string& pattern, std::vector<FindData>* out) {
  out->clear();
  if (pattern.size() >= kMaxPath) return winerr::FilenameTooLong;
  const size_t slash = pattern.find_last_of("\\/");
  if (slash == std::string::npos) return winerr::PathNotFound;
  const Win32Path read = ReadWin32Path(pattern, fileIdsKnown);
  if (!read.device.empty()) {
    FindData device;
    device.name = read.device;
    device.attributes = fileattr::Archive;
    out->push_back(device);
    return winerr::Success;
  }
  // A mask with wildcards is matched as typed ("*." takes names without a dot); a plain
  // name is read as the last name of any path.
  std::string mask = pattern.substr(slash + 1);
  if (!read.literal && mask.find_first_of("*?") == std::string::npos) mask = LastNameAsRead(mask);
  if (mask.empty()) return winerr::FileNotFound;
  std::string folder = pattern.substr(0, slash + 1);
  const Resolved dir = resolve(folder);
  if (dir.error) return winerr::PathNotFound;
  struct stat st;
  if (::stat(dir.host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return winerr::PathNotFound;
  DIR* d = ::opendir(dir.host.c_str());
  if (!d) return fromErrno(errno);
  std::vector<std::string> names;
  while (dirent* e = ::readdir(d))
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
  // Listed in name order regardless of case, as NTFS lists a folder.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return platform::upperCase(x) < platform::upperCase(y); });
  });
  const std::vector<std::string> shorts = shortNames(dir.host, names);
  const bool driveRoot = dir.host.size() == root_.size() + 2;
  if (!driveRoot) {
    bool exists = false;
    for (const char* dots : {".", ".."}) {
      if (!maskMatches(mask, dots)) continue;
      FindData fd;
      fd.name = dots;
      fd.attributes = dots[1] ? fileattr::Directory : attributesOf(dir.host, &exists);
      out->push_back(fd);
    }
  }
  const int fd = ::dirfd(d);
  for (size_t i = 0; i < names.size(); ++i) {
    if (!maskMatches(mask, names[i]) && !(!shorts[i].empty() && maskMatches(mask, shorts[i]))) continue;
    FindData data;
    if (entryAt(fd, dir.host, names[i], &data)) {
      data.shortName = shorts[i];
      out->push_back(std::move(data));
    }
  }
  ::closedir(d);
  return out->empty() ? winerr::FileNotFound : winerr::Success;
}

uint32_t SimFileSystem::getAttributes(const std::string& path) {
  const Resolved r = resolve(path);
  if (!r.device.empty()) return fileattr::Archive;
  if (r.error) return fileattr::Invalid;
  bool exists = false;
  const uint32_t attributes = attributesOf(r.host, &exists);
  // "C:\\file.txt\\" names no folder.
  if (!path.empty() && path.back() == '\\' && !(attributes & fileattr::Directory) && path.size() > 3)
    return fileattr::Invalid;
  return attributes;
}

long SimFileSystem::setAttributes(const std::string& path, uint32_t attributes) {
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  attributes_[r.host] = attributes & kOverlayBits;
  return winerr::Success;
}

long SimFileSystem::deleteFile(const std::string& path) {
  // The common case, a path spelled as on disk, costs one unlink and no lookups.
  const Win32Path read = ReadWin32Path(path, fileIdsKnown);
  if (path.size() < kMaxPath && !read.error && read.device.empty() && !read.names.empty()) {
    std::string host = root_ + "/" + std::string(1, read.drive);
    for (const std::string& name : read.names) host += "/" + name;
    const bool guarded = (!locked_.empty() && locked_.count(host)) ||
                         (!attributes_.empty() && attributes_.count(host));
    if (!guarded) {
      if (::unlink(host.c_str()) == 0) return winerr::Success;
      if (errno == EISDIR || errno == EPERM) return winerr::AccessDenied;
      if (errno != ENOENT && errno != ENOTDIR) return fromErrno(errno);
    }
  }
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  if (S_ISDIR(r.mode)) return winerr::AccessDenied;
  if (!locked_.empty() && locked_.count(r.host)) return winerr::SharingViolation;
  if (!attributes_.empty()) {
    auto it = attributes_.find(r.host);
    if (it != attributes_.end() && (it->second & fileattr::ReadOnly)) return winerr::AccessDenied;
  }
  if (::unlink(r.host.c_str()) != 0) return fromErrno(errno);
  if (!attributes_.empty()) attributes_.erase(r.host);
  return winerr::Success;
}

long SimFileSystem::removeDirectory(const std::string& path) {
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  if (S_ISLNK(r.mode)) {
    // A junction goes by itself; what it points at stays.
    struct stat target;
    if (::stat(r.host.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) return 267;  // ERROR_DIRECTORY
    if (::unlink(r.host.c_str()) != 0) return fromErrno(errno);
    attributes_.erase(r.host);
    return winerr::Success;
  }
  if (!S_ISDIR(r.mode)) return 267;  // ERROR_DIRECTORY
  if (held_.count(physical(r.host))) return winerr::SharingViolation;
  auto it = attributes_.find(r.host);
  if (it != attributes_.end() && (it->second & fileattr::ReadOnly)) return winerr::AccessDenied;
  if (::rmdir(r.host.c_str()) != 0) return errno == EEXIST ? winerr::DirNotEmpty : fromErrno(errno);
  if (it != attributes_.end()) attributes_.erase(it);
  return winerr::Success;
}

long SimFileSystem::createDirectory(const std::string& path) {
  const Resolved r = resolve(path);
  if (r.error == winerr::Success) return winerr::AlreadyExists;
  if (r.error != winerr::FileNotFound) return r.error;
  if (::mkdir(r.host.c_str(), 0755) != 0) return fromErrno(errno);
  return winerr::Success;
}

long SimFileSystem::readFile(const std::string& path, std::string* data) {
  return readFileHead(path, static_cast<size_t>(-1), data);
}

long SimFileSystem::readFileHead(const std::string& path, size_t maxBytes, std::string* data) {
  const Resolved r = resolve(path);
  if (!r.device.empty()) {
    data->clear();
    return winerr::Success;
  }
  if (r.error) return r.error;
  if (locked_.count(r.host)) return winerr::SharingViolation;
  struct stat st;
  if (::stat(r.host.c_str(), &st) != 0) return winerr::FileNotFound;
  if (S_ISDIR(st.st_mode)) return winerr::AccessDenied;
  const int fd = ::open(r.host.c_str(), O_RDONLY);
  if (fd < 0) return fromErrno(errno);
  data->clear();
  char buf[65536];
  while (data->size() < maxBytes) {
    const size_t room = maxBytes - data->size();
    const ssize_t n = ::read(fd, buf, room < sizeof buf ? room : sizeof buf);
    if (n <= 0) break;
    data->append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return winerr::Success;
}

long SimFileSystem::openForReading(const std::string& path) {
  const Resolved r = resolve(path);
  if (!r.device.empty()) return winerr::Success;
  if (r.error) return r.error;
  if (locked_.count(r.host)) return winerr::SharingViolation;
  const int fd = ::open(r.host.c_str(), O_RDONLY);
  if (fd < 0) return fromErrno(errno);
  ::close(fd);
  return winerr::Success;
}

long SimFileSystem::writeFile(const std::string& path, const std::string& data) {
  const Resolved r = resolve(path);
  if (!r.device.empty()) return winerr::Success;  // the device swallows it
  if (r.error && r.error != winerr::FileNotFound) return r.error;
  if (!r.error) {
    if (S_ISDIR(r.mode)) return winerr::AccessDenied;
    if (locked_.count(r.host)) return winerr::SharingViolation;
    auto it = attributes_.find(r.host);
    if (it != attributes_.end() && (it->second & fileattr::ReadOnly)) return winerr::AccessDenied;
  }
  const int fd = ::open(r.host.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return fromErrno(errno);
  const size_t stored = bytesThatFit(r.host, 0, data.size(), 0);
  const bool ok = ::write(fd, data.data(), stored) == static_cast<ssize_t>(stored);
  ::close(fd);
  if (stored < data.size()) return kDiskFull;
  return ok ? winerr::Success : winerr::AccessDenied;
}

long SimFileSystem::replaceFile(const std::string& from, const std::string& to) {
  const Resolved source = resolve(from);
  if (source.error) return source.error;
  const Resolved target = resolve(to);
  if (target.error && target.error != winerr::FileNotFound) return target.error;
  if (!target.error && (S_ISDIR(target.mode) || locked_.count(target.host))) return winerr::AccessDenied;
  if (::rename(source.host.c_str(), target.host.c_str()) != 0) return fromErrno(errno);
  return winerr::Success;
}

long SimFileSystem::moveFile(const std::string& from, const std::string& to) {
  const Resolved source = resolve(from);
  if (source.error) return source.error;
  if (locked_.count(source.host)) return winerr::SharingViolation;
  const Resolved target = resolve(to);
  if (target.error == winerr::Success) return winerr::AlreadyExists;
  if (target.error != winerr::FileNotFound) return target.error;
  if (::rename(source.host.c_str(), target.host.c_str()) != 0) return fromErrno(errno);
  auto it = attributes_.find(source.host);
  if (it != attributes_.end()) {
    attributes_[target.host] = it->second;
    attributes_.erase(source.host);
  }
  return winerr::Success;
}

long SimFileSystem::getShortPathName(const std::string& path, std::string* shortPath) {
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  const std::string drive = r.host.substr(0, root_.size() + 2);
  std::string result = std::string(1, r.host[root_.size() + 1]) + ":";
  std::string cur = drive;
  size_t pos = drive.size();
  while (pos < r.host.size()) {
    const size_t next = r.host.find('/', pos + 1);
    const std::string name = r.host.substr(pos + 1, next == std::string::npos ? std::string::npos : next - pos - 1);
    std::vector<std::string> names;
    if (DIR* d = ::opendir(cur.c_str())) {
      while (dirent* e = ::readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
      ::closedir(d);
    }
    const std::vector<std::string> shorts = shortNames(cur, names);
    std::string component = name;
    for (size_t k = 0; k < names.size(); ++k)
      if (names[k] == name && !shorts[k].empty()) component = shorts[k];
    result += "\\" + component;
    cur += "/" + name;
    if (next == std::string::npos) break;
    pos = next;
  }
  if (result.size() == 2 || (path.size() > 3 && path.back() == '\\')) result += "\\";
  *shortPath = result;
  return winerr::Success;
}

std::string SimFileSystem::substitutedDrive(char letter) {
  auto it = substitutes_.find(platform::upperCase(letter));
  return it == substitutes_.end() ? std::string() : it->second;
}

void SimFileSystem::substitute(char letter, const std::string& folder) {
  const std::string drive = root_ + "/" + std::string(1, platform::upperCase(letter));
  // Redefining a substituted drive is allowed whatever is held through it.
  struct stat st;
  if (::lstat(drive.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
    ::unlink(drive.c_str());
  else
    ::rmdir(drive.c_str());
  if (::symlink(resolve(folder).host.c_str(), drive.c_str()) == 0) substitutes_[platform::upperCase(letter)] = folder;
}

long SimFileSystem::swapForLink(const std::string& path, const std::string& hostTarget) {
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  // Windows pins what a handle holds, wherever the path that reached it went: the folder
  // (not a link on the way to it) or anything really below it.
  const std::string moved = physical(r.host);
  for (const std::string& held : held_)
    if (held == moved || held.compare(0, moved.size() + 1, moved + "/") == 0) return winerr::SharingViolation;
  if (::rename(r.host.c_str(), (r.host + ".moved").c_str()) != 0) return fromErrno(errno);
  if (::symlink(hostTarget.c_str(), r.host.c_str()) != 0) return fromErrno(errno);
  return winerr::Success;
}

long SimFileSystem::repointLink(const std::string& path, const std::string& hostTarget) {
  const Resolved r = resolve(path);
  if (r.error) return r.error;
  if (!S_ISLNK(r.mode)) return winerr::InvalidParameter;
  if (::unlink(r.host.c_str()) != 0 || ::symlink(hostTarget.c_str(), r.host.c_str()) != 0) return fromErrno(errno);
  return winerr::Success;
}

std::string SimFileSystem::physical(const std::string& host) const {
  // The entry itself is not followed: a link is where it lies, a folder where it really is.
  const size_t slash = host.find_last_of('/');
  char buffer[PATH_MAX];
  if (slash == std::string::npos || !::realpath(host.substr(0, slash).c_str(), buffer)) return host;
  return logical(std::string(buffer) + host.substr(slash));
}

std::string SimFileSystem::logical(const std::string& real) const {
  if (realRoot_.empty() || real.compare(0, realRoot_.size(), realRoot_) != 0) return real;
  return root_ + real.substr(realRoot_.size());
}

std::string SimFileSystem::hostPath(const std::string& path) { return resolve(path).host; }

void SimFileSystem::lock(const std::string& path) { locked_.insert(resolve(path).host); }

void SimFileSystem::unlock(const std::string& path) { locked_.erase(resolve(path).host); }

long SimFileSystem::makeLink(const std::string& linkPath, const std::string& hostTarget) {
  const Resolved r = resolve(linkPath);
  if (r.error != winerr::FileNotFound) return r.error ? r.error : winerr::AlreadyExists;
  return ::symlink(hostTarget.c_str(), r.host.c_str()) == 0 ? winerr::Success : fromErrno(errno);
}

void SimFileSystem::makeFolders(const std::string& path) {
  std::string prefix;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      if (prefix.size() > 2) createDirectory(prefix);
    }
    if (i < path.size()) prefix += path[i];
  }
}

bool SimFileSystem::shellCopyFile(const std::string& from, const std::string& to) {
  std::string data;
  if (readFile(from, &data) != winerr::Success) return false;
  return writeFile(to, data) == winerr::Success;
}

}  // namespace platform::sim

namespace platform::sim {

std::string SimFileSystem::folderState(const std::string& host) {
  std::vector<std::string> lines;
  if (DIR* d = ::opendir(host.c_str())) {
    while (dirent* e = ::readdir(d)) {
      struct stat st;
      const std::string path = host + "/" + e->d_name;
      if (::lstat(path.c_str(), &st) != 0) continue;
      auto overlay = attributes_.find(path);
      lines.push_back(std::string(e->d_name) + "|" + std::to_string(st.st_size) + "|" +
                      std::to_string(fileTime(st.st_mtim)) + "|" +
                      std::to_string(overlay == attributes_.end() ? 0 : overlay->second));
    }
    ::closedir(d);
  }
  std::sort(lines.begin(), lines.end());
  std::string state;
  for (const std::string& line : lines) state += line + "\n";
  return state;
}

std::uintptr_t SimFileSystem::startFolderWatch(const std::string& folder, uint32_t) {
  const Resolved r = resolve(folder);
  struct stat st;
  if (r.error || ::stat(r.host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return 0;
  const std::uintptr_t id = nextWatch_++;
  watches_[id] = Watch{r.host, folderState(r.host)};
  return id;
}

WatchState SimFileSystem::waitFolderWatch(std::uintptr_t watch, uint32_t) {
  auto it = watches_.find(watch);
  if (it == watches_.end()) return WatchState::Failed;
  return folderState(it->second.host) == it->second.state ? WatchState::Quiet : WatchState::Changed;
}

bool SimFileSystem::rearmFolderWatch(std::uintptr_t watch) {
  auto it = watches_.find(watch);
  if (it == watches_.end()) return false;
  it->second.state = folderState(it->second.host);
  return true;
}

void SimFileSystem::closeFolderWatch(std::uintptr_t watch) { watches_.erase(watch); }

}  // namespace platform::sim

namespace platform::sim {

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

#include "platform/PathHeldFolder.h"

#include "platform/OpenFile.h"
#include "platform/WinError.h"

namespace platform {

namespace {

constexpr size_t kLongestPath = 259;  // MAX_PATH less the terminating zero
constexpr uint32_t kClearable = fileattr::ReadOnly | fileattr::Hidden | fileattr::System;

std::string withBackslash(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

}  // namespace

PathHeldFolder::PathHeldFolder(FileSystem& files, std::string path, std::string shortPath)
    : files_(files), path_(std::move(path)), short_(std::move(shortPath)) {}

std::string PathHeldFolder::shortOf(const std::string& name) const {
  auto it = shortNames_.find(name);
  return it == shortNames_.end() || it->second.empty() ? name : it->second;
}

long PathHeldFolder::reachable(const std::string& name, size_t room, std::string* path) const {
  path->clear();
  if (path_.size() + name.size() + room <= kLongestPath) {
    *path = path_ + name;
    return winerr::Success;
  }
  const std::string alias = short_ + shortOf(name);
  if (alias.size() + room > kLongestPath) return winerr::FilenameTooLong;
  // An 8.3 name is given when its file is made: since the listing the file may have gone
  // and another taken its alias. The alias must still lead to the long name listed.
  std::vector<FindData> found;
  if (files_.findFiles(alias, &found) != winerr::Success || found.size() != 1 || found[0].name != name)
    return winerr::FileNotFound;
  *path = alias;
  return winerr::Success;
}

long PathHeldFolder::list(std::vector<FindData>* out) {
  out->clear();
  const std::string folder = path_.size() + 1 <= kLongestPath ? path_ : short_;
  if (folder.size() + 1 > kLongestPath) return winerr::FilenameTooLong;
  std::vector<FindData> found;
  const long rc = files_.findFiles(folder + "*", &found);
  if (rc != winerr::Success && rc != winerr::FileNotFound) return rc;
  shortNames_.clear();
  for (FindData& entry : found) {
    if (entry.name == "." || entry.name == "..") continue;
    shortNames_[entry.name] = entry.shortName;
    out->push_back(std::move(entry));
  }
  return winerr::Success;
}

std::unique_ptr<HeldFolder> PathHeldFolder::holdChild(const std::string& name, FileIdentity* identity, long* error) {
  *identity = FileIdentity();
  // Room for "\\*" to list it.
  std::string path;
  *error = reachable(name, 2, &path);
  if (*error) return nullptr;
  identity->attributes = files_.getAttributes(path);
  if (identity->attributes == fileattr::Invalid) {
    *error = winerr::PathNotFound;
    return nullptr;
  }
  *error = winerr::Success;
  return std::make_unique<PathHeldFolder>(files_, path_ + name + "\\", short_ + shortOf(name) + "\\");
}

// Nothing is held by path: looking in is holding.
std::unique_ptr<HeldFolder> PathHeldFolder::holdChildToLookIn(const std::string& name, FileIdentity* identity,
                                                              long* error) {
  return holdChild(name, identity, error);
}

long PathHeldFolder::removeChildFile(const std::string& name, bool clearAttributes, const EntryCheck& check) {
  std::string path;
  if (const long rc = reachable(name, 0, &path)) return rc;
  const uint32_t attributes = files_.getAttributes(path);
  if (attributes == fileattr::Invalid) return winerr::FileNotFound;
  if (attributes & fileattr::Directory) return winerr::AccessDenied;
  if (const long refusal = check ? check(attributes) : winerr::Success) return refusal;
  if (clearAttributes && (attributes & kClearable)) files_.setAttributes(path, fileattr::Normal);
  return files_.deleteFile(path);
}

// No handles and no links here: the name is looked at again as removeChildFile does.
long PathHeldFolder::removeListedFile(const FindData& listed, bool clearAttributes) {
  return removeChildFile(listed.name, clearAttributes, nullptr);
}

bool PathHeldFolder::isChild(const std::string&, const FileIdentity& file) { return !file.known; }

long PathHeldFolder::childIdentity(const std::string& name, FileIdentity* identity) {
  *identity = FileIdentity();
  if (name.find_first_of("*?\\") != std::string::npos) return winerr::InvalidParameter;
  std::string path;
  if (const long rc = reachable(name, 0, &path)) return rc;
  // A name without wildcards lists the entry itself or nothing.
  std::vector<FindData> found;
  if (const long rc = files_.findFiles(path, &found)) return rc;
  if (found.size() != 1) return winerr::FileNotFound;
  identity->attributes = found[0].attributes;
  identity->size = found[0].size;
  return winerr::Success;
}

std::unique_ptr<OpenFile> PathHeldFolder::openChildFile(const std::string& name, long* error) {
  std::string path;
  if ((*error = reachable(name, 0, &path)) != winerr::Success) return nullptr;
  const uint32_t attributes = files_.getAttributes(path);
  if (attributes == fileattr::Invalid) {
    *error = winerr::FileNotFound;
    return nullptr;
  }
  // openFile holds a read-only file for reading only, which could not be written.
  if (attributes & (fileattr::Directory | fileattr::ReadOnly)) {
    *error = winerr::AccessDenied;
    return nullptr;
  }
  return files_.openFile(path, error);
}

std::unique_ptr<OpenFile> PathHeldFolder::createChildFile(const std::string& name, long* error) {
  const std::string path = path_ + name;
  if (path.size() > kLongestPath) {
    *error = winerr::FilenameTooLong;
    return nullptr;
  }
  return files_.createNewFile(path, error);
}

long PathHeldFolder::removeChildFolder(const std::string& name, std::unique_ptr<HeldFolder> child,
                                       bool clearAttributes) {
  child.reset();
  std::string path;
  if (const long rc = reachable(name, 0, &path)) return rc;
  if (clearAttributes) {
    const uint32_t attributes = files_.getAttributes(path);
    if (attributes != fileattr::Invalid && (attributes & kClearable)) files_.setAttributes(path, fileattr::Normal);
  }
  return files_.removeDirectory(path);
}

std::unique_ptr<HeldFolder> holdFolderByPath(FileSystem& files, const std::string& path, FileIdentity* identity) {
  *identity = FileIdentity();
  identity->attributes = files.getAttributes(path);
  if (identity->attributes == fileattr::Invalid) return nullptr;
  std::string shortPath;
  if (files.getShortPathName(path, &shortPath) != winerr::Success) shortPath = path;
  return std::make_unique<PathHeldFolder>(files, withBackslash(path), withBackslash(shortPath));
}

}  // namespace platform

#include "platform/FreshFile.h"

#include <memory>

#include "platform/OpenFile.h"
#include "platform/WinError.h"

namespace platform {

namespace {

constexpr int kFreshNameTries = 100;

std::unique_ptr<OpenFile> createBeside(FileSystem& files, const std::string& path, long* error) {
  for (int n = 0; n < kFreshNameTries; ++n) {
    std::unique_ptr<OpenFile> file = files.createNewFile(path + ".new" + (n ? std::to_string(n) : ""), error);
    if (file || (*error != winerr::FileExists && *error != winerr::AlreadyExists)) return file;
  }
  return nullptr;
}

// Created new and held unshared it cannot be either; a file system that says otherwise is
// not trusted with the write.
bool plainFile(OpenFile& file) {
  const FileIdentity identity = file.identity();
  if (identity.attributes == fileattr::Invalid) return false;
  return !(identity.attributes & (fileattr::ReparsePoint | fileattr::Directory)) && (!identity.known || identity.links <= 1);
}

}  // namespace

long ReplaceWithNewFile(FileSystem& files, const std::string& path, const std::string& data) {
  const size_t slash = path.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return winerr::PathNotFound;
  long rc = winerr::Success;
  std::unique_ptr<OpenFile> file = createBeside(files, path, &rc);
  if (!file) return rc;
  if (!plainFile(*file)) rc = winerr::AccessDenied;
  if (rc == winerr::Success && !data.empty()) rc = file->writeAt(0, data);
  if (rc == winerr::Success) rc = file->flush();
  if (rc == winerr::Success) rc = file->replace(name);
  if (rc != winerr::Success) file->remove();
  return rc;
}

}  // namespace platform

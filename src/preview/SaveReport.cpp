#include "preview/SaveReport.h"

#include "platform/WinError.h"

namespace preview {

using namespace platform;

namespace {

constexpr int kFreshNameTries = 100;
constexpr long kDiskFull = 112;

// "report.txt.new", else "report.txt.new1" and on: an existing file is never written over.
std::string freshName(FileSystem& files, const std::string& path) {
  for (int n = 0; n < kFreshNameTries; ++n) {
    const std::string name = path + ".new" + (n ? std::to_string(n) : std::string());
    if (files.getAttributes(name) == fileattr::Invalid) return name;
  }
  return std::string();
}

}  // namespace

long SaveText(FileSystem& files, const std::string& path, const std::string& text) {
  const std::string fresh = freshName(files, path);
  if (fresh.empty()) return winerr::FileExists;
  long rc = files.writeFile(fresh, text);
  if (rc == winerr::Success) rc = files.replaceFile(fresh, path);
  if (rc != winerr::Success) files.deleteFile(fresh);
  return rc;
}

std::string saveErrorText(long error) {
  switch (error) {
    case winerr::PathNotFound: return "The folder was not found";
    case winerr::AccessDenied: return "Access is denied";
    case winerr::SharingViolation: return "Another program is using the file";
    case kDiskFull: return "The disk is full";
    case winerr::FilenameTooLong: return "The name is too long";
    default: return "Windows error " + std::to_string(error);
  }
}

}  // namespace preview

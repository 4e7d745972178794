#include "shredder/ShredGuard.h"

#include <memory>

#include "clean/TempFolderGuard.h"
#include "erase/FolderPaths.h"
#include "erase/RunContext.h"

namespace shredder {

using namespace platform;

namespace {

// A folder along the way that is a link: the path may lead anywhere.
bool passesThroughLink(const erase::RunContext& run, const std::string& normalised) {
  for (const std::string& folder : erase::ParentFolders(normalised)) {
    const uint32_t attributes = run.os.files.getAttributes(folder);
    if (attributes != fileattr::Invalid && (attributes & fileattr::ReparsePoint)) return true;
  }
  return false;
}

}  // namespace

bool namesDevice(const std::string& path) {
  if (path.compare(0, 4, "\\\\.\\") == 0 || path.compare(0, 4, "\\\\?\\") == 0 || path.compare(0, 4, "//./") == 0 ||
      path.compare(0, 4, "//?/") == 0)
    return true;
  std::string name;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/' || path[i] == ':') {
      if (erase::IsDeviceName(name)) return true;
      name.clear();
    } else {
      name += path[i];
    }
  }
  return false;
}

const char* fileRefusal(const erase::RunContext& run, const std::string& path) {
  if (namesDevice(path)) return "device name";
  if (const char* reason = erase::RewrittenPathReason(path)) return reason;
  const std::string normalised = erase::NormaliseFolderPath(path);
  if (normalised.empty()) return "not a full path";
  if (erase::FolderNames(normalised).empty()) return "drive root";
  const uint32_t attributes = run.os.files.getAttributes(path);
  if (attributes == fileattr::Invalid) return "not found";
  if (attributes & fileattr::ReparsePoint) return "link";
  if (attributes & fileattr::Directory) return "folder";
  return nullptr;
}

const char* folderRefusal(const erase::RunContext& run, const std::string& folder) {
  if (namesDevice(folder)) return "device name";
  if (const char* reason = erase::RewrittenPathReason(folder)) return reason;
  const std::string normalised = erase::NormaliseFolderPath(folder);
  if (normalised.empty()) return "not a full path";
  if (passesThroughLink(run, normalised)) return "link";
  // Judged as opened, so an alias of a kept folder is seen for what it is.
  FileIdentity identity;
  const std::unique_ptr<HeldFolder> held = run.os.files.holdFolder(erase::FolderToOpen(normalised), &identity);
  if (!held) return "cannot be opened";
  if (identity.attributes & fileattr::ReparsePoint) return "link";
  if (clean::IsProtectedFolder(run, normalised, identity)) return "protected folder";
  return nullptr;
}

}  // namespace shredder

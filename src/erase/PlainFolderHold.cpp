// Holding a folder for a walk, from its drive root down.
//
// Holding the folder itself stops it being renamed, but says nothing of the names above
// it: a junction at any of them (a user's own folder turned into a link to another
// user's, or to C:\WINDOWS) leads the walk elsewhere while every check on the last name
// passes. So the folder is reached as Windows would never be asked to reach it by path:
// the root is held, and each name below it is looked up in its held parent's listing
// (Wine's handles follow links; only the listing tells) and held relative to that parent.
// A link anywhere on the way refuses the folder.
#include <cctype>
#include <vector>

#include "erase/FolderPaths.h"
#include "erase/Plan.h"
#include "erase/RunContext.h"
#include "erase/WalkRules.h"

namespace erase {

namespace {

using platform::FileIdentity;
using platform::FindData;
using platform::HeldFolder;
namespace fileattr = platform::fileattr;

const char kLink[] = "link";


// "C:\\" or "\\\\server\\share\\" and the names below it, as given: a name is taken
// literally, so "." and ".." are not names. False for anything else (relative, "C:x",
// "\\\\?\\", "\\\\.\\").
bool splitFromRoot(const std::string& path, std::string* root, std::vector<std::string>* names) {
  size_t at = 0;
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\') {
    at = 3;
  } else if (path.compare(0, 2, "\\\\") == 0 && path.size() > 2 && path[2] != '?' && path[2] != '.') {
    const size_t server = path.find('\\', 2);
    if (server == std::string::npos || server == 2) return false;
    const size_t share = path.find('\\', server + 1);
    if (share == server + 1) return false;
    at = share == std::string::npos ? path.size() : share + 1;
  } else {
    return false;
  }
  *root = path.substr(0, at);
  if (root->back() != '\\') *root += '\\';
  names->clear();
  while (at < path.size()) {
    size_t end = path.find('\\', at);
    if (end == std::string::npos) end = path.size();
    const std::string name = path.substr(at, end - at);
    if (name == "." || name == "..") return false;
    if (!name.empty()) names->push_back(name);
    at = end + 1;
  }
  return true;
}

// What the held parent's listing says of `name` (its long or 8.3 name): null when absent.
const FindData* listedEntry(const std::vector<FindData>& entries, const std::string& name) {
  for (const FindData& entry : entries)
    if (sameName(entry.name, name) || sameName(entry.shortName, name)) return &entry;
  return nullptr;
}

// Recorded, and counted so that the item's line does not say it was all done.
std::unique_ptr<HeldFolder> refuse(const erase::RunContext& run, const std::string& path, const char* reason) {
  logSkipped(path, reason);
  record(run.flags, TargetKind::Folder, path, 0, Outcome::Refused, reason);
  if (reason == kLink) ++run.flags.leftBehind.links;
  return nullptr;
}

std::unique_ptr<HeldFolder> holdFromRoot(const erase::RunContext& run, const std::string& path,
                                         FileIdentity* identity) {
  std::string root;
  std::vector<std::string> names;
  if (!splitFromRoot(path, &root, &names)) {
    logSkipped(path, "not a full path");
    return nullptr;
  }
  std::unique_ptr<HeldFolder> held = run.os.files.holdFolder(FolderToOpen(root), identity);
  if (!held) {
    logSkipped(path, "cannot be opened");
    return nullptr;
  }
  std::string reached = root;
  for (const std::string& name : names) {
    reached += name;
    std::vector<FindData> entries;
    held->list(&entries);
    const FindData* entry = listedEntry(entries, name);
    if (!entry) {
      logSkipped(path, "cannot be opened");
      return nullptr;
    }
    if (entry->attributes & fileattr::ReparsePoint) return refuse(run, reached, kLink);
    long error = 0;
    std::unique_ptr<HeldFolder> child = held->holdChildToLookIn(entry->name, identity, &error);
    if (!child) {
      logSkipped(path, "cannot be opened");
      return nullptr;
    }
    if (identity->attributes & fileattr::ReparsePoint) return refuse(run, reached, kLink);
    if (!(identity->attributes & fileattr::Directory)) return refuse(run, reached, "not a folder");
    held = std::move(child);
    reached += '\\';
  }
  if (!(identity->attributes & fileattr::Directory)) return refuse(run, path, "not a folder");
  return held;
}

}  // namespace

std::unique_ptr<HeldFolder> holdPlainFolder(const erase::RunContext& run, const std::string& folder,
                                            FileIdentity* identity) {
  *identity = FileIdentity();
  try {
    return holdFromRoot(run, FolderToOpen(folder), identity);
  } catch (const std::exception&) {
    logSkipped(folder, "cannot be opened");
    return nullptr;
  }
}

}  // namespace erase

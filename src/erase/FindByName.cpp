#include "erase/FindByName.h"

#include <memory>
#include <set>

#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "erase/RunContext.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

namespace {

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool isFolderPath(const erase::RunContext& run, const std::string& folder) {
  const uint32_t attributes = run.os.files.getAttributes(folder);
  return attributes != fileattr::Invalid && (attributes & fileattr::Directory);
}

// A folder of the search: held, so that its sub-folders are opened below it by the very
// names it lists ("abc." is not the junction "abc" beside it), with its long and 8.3 paths.
struct Place {
  std::unique_ptr<HeldFolder> held;
  std::string path, shortPath;  // ending in "\"
};

Place holdRoot(const erase::RunContext& run, const std::string& folder) {
  Place root;
  root.path = AddBackslash(folder);
  FileIdentity identity;
  root.held = run.os.files.holdFolder(FolderToOpen(root.path), &identity);
  std::string shortPath;
  root.shortPath = run.os.files.getShortPathName(root.path, &shortPath) == winerr::Success ? AddBackslash(shortPath)
                                                                                          : root.path;
  return root;
}

// The entry's name in an 8.3 path: its alias names it alone, where the long name may end
// in a dot or a blank that Windows would drop, naming another entry. Empty when neither will do.
std::string shortName(const FindData& entry) {
  const std::string& name = entry.shortName.empty() ? entry.name : entry.shortName;
  return name.back() == '.' || name.back() == ' ' ? std::string() : name;
}

// Sub-folders and files of the held folder, all attributes.
void listFolder(Place& place, std::vector<FindData>* subs, std::vector<FindData>* files) {
  std::vector<FindData> entries;
  if (!place.held || place.held->list(&entries) != winerr::Success) return;
  for (FindData& entry : entries) {
    if (isDots(entry)) continue;
    (isFolder(entry) ? subs : files)->push_back(std::move(entry));
  }
}

// The sub-folder `sub` held below `place`; null, logged, for a link or what cannot be held.
std::unique_ptr<Place> enter(Place& place, const FindData& sub) {
  const std::string path = place.path + sub.name;
  const std::string alias = shortName(sub);
  if (isLink(sub)) {
    logSkipped(path, "link");
    return nullptr;
  }
  if (!fitsFolder(path + "\\") || alias.empty()) {
    logSkipped(path, alias.empty() ? "name ending in a dot or blank" : "path too long");
    return nullptr;
  }
  FileIdentity identity;
  long error = 0;
  auto child = std::make_unique<Place>();
  child->held = place.held->holdChildToLookIn(sub.name, &identity, &error);
  // The listing may be older than the entry: judged again on its own handle.
  if (!child->held || (identity.attributes & fileattr::ReparsePoint)) {
    logSkipped(path, child->held ? "link" : "cannot be opened");
    return nullptr;
  }
  child->path = path + "\\";
  child->shortPath = place.shortPath + alias + "\\";
  return child;
}

// The whole names of a blank-separated list, upper-cased: a Mozilla profile names its mail
// folders "History", "Story" or "Ash", so a piece of a listed name is never a match.
std::set<std::string> namesOf(const std::string& nameList) {
  // Split by hand: a string stream would bring the C++ locales, and with them runtime
  // imports that Windows 95 lacks, into the program.
  static const char* const kBlanks = " \t\r\n";
  const std::string list = upper(nameList);
  std::set<std::string> names;
  for (size_t start = list.find_first_not_of(kBlanks); start != std::string::npos;) {
    const size_t end = list.find_first_of(kBlanks, start);
    names.insert(list.substr(start, end == std::string::npos ? std::string::npos : end - start));
    start = end == std::string::npos ? end : list.find_first_not_of(kBlanks, end);
  }
  return names;
}

void findFiles(const erase::RunContext& run, Place& place, const std::set<std::string>& wanted,
               std::vector<std::string>& results) {
  std::vector<FindData> subs, files;
  listFolder(place, &subs, &files);
  for (const FindData& sub : subs) {
    yieldOnce(run);
    if (std::unique_ptr<Place> child = enter(place, sub)) findFiles(run, *child, wanted, results);
    yieldOnce(run);
  }
  for (const FindData& file : files) {
    yieldOnce(run);
    // A link is never offered to callers, who would delete through it.
    if (isLink(file) || !fitsFile(place.path + file.name) || shortName(file).empty()) continue;
    // The long name alone: an 8.3 alias is no name the user gave.
    if (wanted.count(upper(file.name))) results.push_back(place.shortPath + shortName(file));
  }
}

void findFolders(const erase::RunContext& run, Place& place, const std::string& wanted,
                 std::vector<std::string>& results) {
  std::vector<FindData> subs, files;
  listFolder(place, &subs, &files);
  for (const FindData& sub : subs) {
    yieldOnce(run);
    if (std::unique_ptr<Place> child = enter(place, sub)) {
      if (upper(sub.name) == wanted) results.push_back(child->shortPath.substr(0, child->shortPath.size() - 1));
      findFolders(run, *child, wanted, results);
    }
    yieldOnce(run);
  }
}

}  // namespace

void FindFilesByName(const erase::RunContext& run, const std::string& folder, const std::string& nameList,
                     std::vector<std::string>& results) {
  try {
    if (folder.empty() || !isFolderPath(run, folder)) return;
    const std::set<std::string> wanted = namesOf(nameList);
    if (wanted.empty()) return;
    Place root = holdRoot(run, folder);
    findFiles(run, root, wanted, results);
  } catch (const std::exception&) {
  }
}

void FindFoldersByName(const erase::RunContext& run, const std::string& folder, const std::string& name,
                       std::vector<std::string>& results) {
  try {
    if (folder.empty() || !isFolderPath(run, folder)) return;
    Place root = holdRoot(run, folder);
    findFolders(run, root, upper(name), results);
  } catch (const std::exception&) {
  }
}

}  // namespace erase

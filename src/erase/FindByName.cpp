#include "erase/FindByName.h"

#include <set>

#include "engine/RunContext.h"
#include "erase/PathChecks.h"
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

bool isFolderPath(const engine::RunContext& run, const std::string& folder) {
  const uint32_t attributes = run.os.files.getAttributes(folder);
  return attributes != fileattr::Invalid && (attributes & fileattr::Directory);
}

std::string shortPath(const engine::RunContext& run, const std::string& path) {
  std::string result;
  return run.os.files.getShortPathName(path, &result) == winerr::Success ? result : path;
}

// Sub-folders and files of `folder` (ending in "\\"), all attributes, as the file-system
// object lists them.
void listFolder(const engine::RunContext& run, const std::string& folder, std::vector<FindData>* subs,
                std::vector<FindData>* files) {
  std::vector<FindData> entries;
  run.os.files.findFiles(folder + "*", &entries);
  for (FindData& entry : entries) {
    if (isDots(entry)) continue;
    (isFolder(entry) ? subs : files)->push_back(std::move(entry));
  }
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

void findFiles(const engine::RunContext& run, const std::string& folder, const std::set<std::string>& wanted,
               std::vector<std::string>& results) {
  std::vector<FindData> subs, files;
  listFolder(run, folder, &subs, &files);
  for (const FindData& sub : subs) {
    yieldOnce(run);
    const std::string path = folder + sub.name + "\\";
    if (isLink(sub))
      logSkipped(folder + sub.name, "link");
    else if (!fitsFolder(path))
      logSkipped(folder + sub.name, "path too long");
    else
      findFiles(run, path, wanted, results);
    yieldOnce(run);
  }
  for (const FindData& file : files) {
    yieldOnce(run);
    const std::string path = folder + file.name;
    // A link is never offered to callers, who would delete through it.
    if (isLink(file) || !fitsFile(path)) continue;
    // The long name alone: an 8.3 alias is no name the user gave.
    if (wanted.count(upper(file.name))) results.push_back(shortPath(run, path));
  }
}

void findFolders(const engine::RunContext& run, const std::string& folder, const std::string& wanted,
                 std::vector<std::string>& results) {
  std::vector<FindData> subs, files;
  listFolder(run, folder, &subs, &files);
  for (const FindData& sub : subs) {
    yieldOnce(run);
    const std::string path = folder + sub.name;
    if (isLink(sub)) {
      logSkipped(path, "link");
    } else if (!fitsFolder(path + "\\")) {
      logSkipped(path, "path too long");
    } else {
      if (upper(sub.name) == wanted) results.push_back(shortPath(run, path));
      findFolders(run, path + "\\", wanted, results);
    }
    yieldOnce(run);
  }
}

}  // namespace

void FindFilesByName(const engine::RunContext& run, const std::string& folder, const std::string& nameList,
                     std::vector<std::string>& results) {
  try {
    if (folder.empty() || !isFolderPath(run, folder)) return;
    const std::set<std::string> wanted = namesOf(nameList);
    if (!wanted.empty()) findFiles(run, AddBackslash(folder), wanted, results);
  } catch (const std::exception&) {
  }
}

void FindFoldersByName(const engine::RunContext& run, const std::string& folder, const std::string& name,
                       std::vector<std::string>& results) {
  try {
    if (folder.empty() || !isFolderPath(run, folder)) return;
    findFolders(run, AddBackslash(folder), upper(name), results);
  } catch (const std::exception&) {
  }
}

}  // namespace erase

#include "erase/PathChecks.h"

#include "erase/RunContext.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

std::string AddBackslash(const std::string& path) {
  return (!path.empty() && path.back() == '\\') ? path : path + "\\";
}

bool FileExists(const erase::RunContext& run, const std::string& path) {
  try {
    const uint32_t attributes = run.os.files.getAttributes(path);
    return attributes != fileattr::Invalid && !(attributes & fileattr::Directory);
  } catch (const std::exception&) {
    return true;  // the test itself could not be made
  }
}

bool FolderExists(const erase::RunContext& run, const std::string& path) {
  try {
    if (path.empty()) return false;
    // A path ending in "\\" lists the folder's own entries.
    const std::string pattern = path.back() == '\\' ? path + "*" : path;
    std::vector<FindData> entries;
    if (run.os.files.findFiles(pattern, &entries) != winerr::Success) return false;
    for (const FindData& entry : entries)
      if (!(entry.attributes & (fileattr::Hidden | fileattr::System))) return true;
    return false;
  } catch (const std::exception&) {
    return false;
  }
}

bool CanOpenFile(const erase::RunContext& run, const std::string& path) {
  try {
    const uint32_t attributes = run.os.files.getAttributes(path);
    if (attributes == fileattr::Invalid || (attributes & fileattr::Directory)) return false;
    return run.os.files.openForReading(path) == winerr::Success;
  } catch (const std::exception&) {
    return false;
  }
}

bool IsInList(const erase::RunContext& run, const std::vector<std::string>& list, const std::string& name) {
  const size_t first = name.find_first_not_of(' ');
  const std::string trimmed =
      first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);
  for (const std::string& entry : list) {
    if (entry == trimmed) return true;
    yieldOnce(run);
  }
  return false;
}

}  // namespace erase

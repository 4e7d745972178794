#include "erase/FileInHeldFolder.h"

#include <cctype>
#include <memory>
#include <vector>

#include "erase/EraseFiles.h"
#include "erase/OverwriteRemoval.h"
#include "erase/RestartDelete.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace erase {

namespace winerr = platform::winerr;
namespace fileattr = platform::fileattr;

const char kLinkRefused[] = "link";

namespace {

constexpr long kRefusedLink = -1;  // the check's own answer: never a Windows error

bool missing(long error) { return error == winerr::FileNotFound || error == winerr::PathNotFound; }

}  // namespace

std::string ListedName(platform::HeldFolder& folder, const std::string& name) {
  std::vector<platform::FindData> entries;
  folder.list(&entries);
  for (const platform::FindData& entry : entries)
    if (sameName(entry.name, name) || sameName(entry.shortName, name)) return entry.name;
  return std::string();
}

FileRemoval RemoveFileInHeldFolder(const erase::RunContext& run, const std::string& path, TargetKind kind) {
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos || slash + 1 == path.size()) return FileRemoval::Missing;
  const std::string folderPath = path.substr(0, slash + 1);
  if (run.os.files.getAttributes(path) == fileattr::Invalid) return FileRemoval::Missing;
  platform::FileIdentity folderSeen;
  const std::unique_ptr<platform::HeldFolder> folder = holdPlainFolder(run, folderPath, &folderSeen);
  if (!folder) {
    record(run.flags, kind, path, 0, Outcome::Refused, "its folder cannot be reached without a link");
    return FileRemoval::Refused;
  }
  const std::string name = ListedName(*folder, path.substr(slash + 1));
  if (name.empty()) return FileRemoval::Missing;
  platform::FileIdentity file;
  const long seen = folder->childIdentity(name, &file);
  if (missing(seen)) return FileRemoval::Missing;
  if (seen == winerr::Success && (file.attributes & fileattr::ReparsePoint)) {
    record(run.flags, kind, path, 0, Outcome::Refused, kLinkRefused);
    return FileRemoval::Refused;
  }
  if (seen == winerr::Success && (file.attributes & fileattr::Directory)) return FileRemoval::Missing;
  if (collecting(run.flags)) {
    record(run.flags, kind, path, file.size, Outcome::Planned);
    return FileRemoval::Planned;
  }
  std::string note;  // what became of its bytes, when the run overwrites them
  long error = RemoveChildOverwriting(run, *folder, name, false, [](uint32_t attributes) {
    return (attributes & fileattr::ReparsePoint) ? kRefusedLink : winerr::Success;
  }, &note);
  if (error == kRefusedLink) {
    record(run.flags, kind, path, 0, Outcome::Refused, kLinkRefused);
    return FileRemoval::Refused;
  }
  if (missing(error)) return FileRemoval::Missing;
  if (error == winerr::Success) {
    record(run.flags, kind, path, file.size, Outcome::Removed, note);
    return FileRemoval::Removed;
  }
  if (MarkInUseForRestart(run, *folder, folderPath, name, error)) {
    ++run.flags.leftBehind.atRestart;  // the item's line tells it
    return FileRemoval::AtRestart;
  }
  record(run.flags, kind, path, file.size, Outcome::Failed, describeError(error));
  return FileRemoval::Failed;
}

}  // namespace erase

#include "erase/RestartDelete.h"

#include <cctype>
#include <memory>

#include "erase/ActivityLog.h"
#include "erase/FolderPaths.h"
#include "erase/Plan.h"
#include "erase/RunFlags.h"
#include "erase/UsersFolders.h"
#include "erase/WalkRules.h"
#include "platform/NameCase.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

namespace {

constexpr long kLockViolation = 33;  // ERROR_LOCK_VIOLATION

bool inUseElsewhere(long error) { return error == winerr::SharingViolation || error == kLockViolation; }

// One name, no link, no folder: what a deletion by name at the next start removes whole.
bool plainFile(const FileIdentity& file) {
  if (file.attributes & (fileattr::ReparsePoint | fileattr::Directory)) return false;
  return !file.known || file.links == 1;  // 95, 98 and ME have no links to count
}

// "C:\\..." on a drive that is no substitute: the same drive when Windows starts.
bool driveOfItsOwn(FileSystem& files, const std::string& path) {
  if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' || path[2] != '\\')
    return false;
  return files.substitutedDrive(platform::upperCase(path[0])).empty();
}

// The path, followed from its drive now, still leads to the very file: a folder above the
// held one may have been swapped for a junction while the walk went on.
bool pathLeadsTo(FileSystem& files, const std::string& folderPath, const std::string& name, const FileIdentity& file) {
  if (!file.known) return true;  // 95, 98 and ME walk by path: the path is what was checked
  FileIdentity byPath;
  return files.identityAt(folderPath + name, &byPath) == winerr::Success && byPath.sameAs(file);
}

// In the user's own profile, or the temp folder's own files: nobody else can change the
// folders above them before Windows starts. 95, 98 and ME keep no users apart.
bool noOtherUserAbove(const erase::RunContext& run, const std::string& folderPath) {
  if (!UsersKeptApart(run)) return true;
  const std::string folder = NormaliseFolderPath(folderPath);
  return !folder.empty() && (InOwnProfile(run, folder) || IsTempFolder(run, folder));
}

}  // namespace

bool MarkInUseForRestart(const erase::RunContext& run, HeldFolder& folder, const std::string& folderPath,
                         const std::string& name, long error) {
  FileSystem& files = run.os.files;
  erase::RunFlags& flags = run.flags;
  if (collecting(flags) || flags.inMachineWideFolder || !inUseElsewhere(error)) return false;
  if (!noOtherUserAbove(run, folderPath)) return false;
  const std::string path = folderPath + name;
  FileIdentity file;
  if (folder.childIdentity(name, &file) != winerr::Success || !plainFile(file)) return false;
  if (!driveOfItsOwn(files, path) || !pathLeadsTo(files, folderPath, name, file)) return false;
  if (files.deleteAtRestart(path) != winerr::Success) return false;
  LogActivity(path + " Marked to go at the next restart", ActivityTimeStamp());
  record(flags, TargetKind::File, path, file.size, Outcome::AtRestart);
  return true;
}

bool MarkNamedFileInUseForRestart(const erase::RunContext& run, const std::string& path, long error) {
  if (collecting(run.flags) || !inUseElsewhere(error)) return false;
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos || slash + 1 == path.size()) return false;
  const std::string folderPath = path.substr(0, slash + 1);
  if (NormaliseFolderPath(folderPath).empty()) return false;
  FileIdentity seen;
  const std::unique_ptr<HeldFolder> folder = holdPlainFolder(run, folderPath, &seen);
  if (!folder) return false;
  return MarkInUseForRestart(run, *folder, folderPath, path.substr(slash + 1), error);
}

}  // namespace erase

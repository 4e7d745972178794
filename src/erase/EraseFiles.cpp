#include "erase/EraseFiles.h"

#include <memory>
#include <vector>

#include "erase/ActivityLog.h"
#include "erase/FileInHeldFolder.h"
#include "erase/PathChecks.h"
#include "erase/Plan.h"
#include "erase/RunContext.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

std::string describeError(long error) {
  switch (error) {
    case winerr::FileNotFound: return "File not found";
    case winerr::PathNotFound: return "Path not found";
    case winerr::AccessDenied: return "Permission denied";
    case winerr::SharingViolation: return "Permission denied";
    case winerr::FilenameTooLong: return "Bad file name or number";
    default: return "File access error " + std::to_string(error);
  }
}

Result resultOf(long error) {
  if (error == winerr::Success) return {true, {}};
  return {false, describeError(error)};
}

namespace {

// The size a listing of the file tells; 0 when it cannot be listed.
uint64_t listedSize(const erase::RunContext& run, const std::string& path) {
  std::vector<FindData> found;
  if (run.os.files.findFiles(path, &found) != winerr::Success || found.size() != 1) return 0;
  return found[0].size;
}

// Deletes the file, present when looked at, of `bytes`; while the run collects it is only
// recorded.
bool eraseListedFile(const erase::RunContext& run, const std::string& path, uint64_t bytes) {
  if (aborted(run)) {
    LogActivity(path + " **** aborted by user", ActivityTimeStamp());
    return false;
  }
  if (collecting(run.flags)) {
    record(run.flags, TargetKind::File, path, bytes, Outcome::Planned);
    return false;
  }
  // Through its held folder: a name above it may be a link, or be made one meanwhile.
  switch (RemoveFileInHeldFolder(run, path, TargetKind::File)) {
    case FileRemoval::Removed:
    case FileRemoval::Missing:
      LogActivity(path + " Erased", ActivityTimeStamp());
      return true;
    case FileRemoval::AtRestart:
      LogActivity(path + " Marked to go at the next restart", ActivityTimeStamp());
      return false;
    default:
      LogActivity(path, "not erased");
      return false;
  }
}

}  // namespace

bool eraseFileReporting(const erase::RunContext& run, const std::string& path) {
  try {
    if (!FileExists(run, path)) return true;
    return eraseListedFile(run, path, listedSize(run, path));
  } catch (const std::exception&) {
    return false;
  }
}

void EraseFile(const erase::RunContext& run, const std::string& path) { eraseFileReporting(run, path); }

void EraseMatchingFiles(const erase::RunContext& run, const std::string& mask) {
  std::vector<FindData> entries;
  std::string folder, nameMask;
  FileIdentity identity;
  std::unique_ptr<HeldFolder> held;
  try {
    const size_t slash = mask.find_last_of('\\');
    if (slash == std::string::npos) return;  // a mask with no folder: the current one, whatever it is
    folder = mask.substr(0, slash + 1);
    nameMask = mask.substr(slash + 1);
    held = holdPlainFolder(run, folder, &identity);
    if (!held) return;
    run.os.files.findFiles(mask, &entries);
  } catch (const std::exception&) {
    return;
  }
  for (const FindData& entry : entries) {
    // Normal and hidden files: folders and system files are not listed.
    if (isFolder(entry) || (entry.attributes & fileattr::System)) continue;
    if (!longNameMatches(nameMask, entry.name)) continue;
    if (aborted(run)) return;
    const std::string path = folder + entry.name;
    const char* refusal = isLink(entry) ? "link" : fitsFile(path) ? nullptr : "path too long";
    if (refusal) {
      logSkipped(path, refusal);
      record(run.flags, TargetKind::File, path, 0, Outcome::Refused, refusal);
    } else {
      try {
        if (FileExists(run, path)) eraseListedFile(run, path, entry.size);
      } catch (const std::exception&) {
      }
    }
    yieldOnce(run);
  }
}

}  // namespace erase

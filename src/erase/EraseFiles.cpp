#include "erase/EraseFiles.h"

#include <memory>
#include <vector>

#include "app/App.h"
#include "erase/ActivityLog.h"
#include "erase/PathChecks.h"
#include "erase/Plan.h"
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

namespace {

// The size a listing of the file tells; 0 when it cannot be listed.
uint64_t listedSize(app::App& app, const std::string& path) {
  std::vector<FindData> found;
  if (app.os.files.findFiles(path, &found) != winerr::Success || found.size() != 1) return 0;
  return found[0].size;
}

// Deletes the file, present when looked at, of `bytes`; while the run collects it is only
// recorded.
bool eraseListedFile(app::App& app, const std::string& path, uint64_t bytes) {
  if (aborted(app)) {
    LogActivity(path + " **** aborted by user", ActivityTimeStamp());
    return false;
  }
  if (collecting(app.flags)) {
    record(app.flags, TargetKind::File, path, bytes, Outcome::Planned);
    return false;
  }
  const long rc = app.os.files.deleteFile(path);
  if (rc != winerr::Success) {
    LogActivity(path, describeError(rc));
    record(app.flags, TargetKind::File, path, bytes, Outcome::Failed, describeError(rc));
    return false;
  }
  LogActivity(path + " Erased", ActivityTimeStamp());
  record(app.flags, TargetKind::File, path, bytes, Outcome::Removed);
  return true;
}

}  // namespace

bool eraseFileReporting(app::App& app, const std::string& path) {
  try {
    if (!FileExists(app, path)) return true;
    return eraseListedFile(app, path, listedSize(app, path));
  } catch (const std::exception&) {
    return false;
  }
}

void EraseFile(app::App& app, const std::string& path) { eraseFileReporting(app, path); }

void EraseMatchingFiles(app::App& app, const std::string& mask) {
  std::vector<FindData> entries;
  std::string folder, nameMask;
  FileIdentity identity;
  std::unique_ptr<HeldFolder> held;
  try {
    const size_t slash = mask.find_last_of('\\');
    if (slash == std::string::npos) return;  // a mask with no folder: the current one, whatever it is
    folder = mask.substr(0, slash + 1);
    nameMask = mask.substr(slash + 1);
    held = holdPlainFolder(app, folder, &identity);
    if (!held) return;
    app.os.files.findFiles(mask, &entries);
  } catch (const std::exception&) {
    return;
  }
  for (const FindData& entry : entries) {
    // Normal and hidden files: folders and system files are not listed.
    if (isFolder(entry) || (entry.attributes & fileattr::System)) continue;
    if (!longNameMatches(nameMask, entry.name)) continue;
    if (aborted(app)) return;
    const std::string path = folder + entry.name;
    const char* refusal = isLink(entry) ? "link" : fitsFile(path) ? nullptr : "path too long";
    if (refusal) {
      logSkipped(path, refusal);
      record(app.flags, TargetKind::File, path, 0, Outcome::Refused, refusal);
    } else {
      try {
        if (FileExists(app, path)) eraseListedFile(app, path, entry.size);
      } catch (const std::exception&) {
      }
    }
    yieldOnce(app);
  }
}

}  // namespace erase

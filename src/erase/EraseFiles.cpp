#include "erase/EraseFiles.h"

#include <memory>
#include <vector>

#include "app/App.h"
#include "erase/ActivityLog.h"
#include "erase/PathChecks.h"
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

bool eraseFileReporting(app::App& app, const std::string& path) {
  try {
    if (!FileExists(app, path)) return true;
    if (aborted(app)) {
      LogActivity(path + " **** aborted by user", ActivityTimeStamp());
      return false;
    }
    const long rc = app.os.files.deleteFile(path);
    if (rc != winerr::Success) {
      LogActivity(path, describeError(rc));
      return false;
    }
    LogActivity(path + " Erased", ActivityTimeStamp());
    return true;
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
    if (isLink(entry))
      logSkipped(path, "link");
    else if (!fitsFile(path))
      logSkipped(path, "path too long");
    else
      EraseFile(app, path);
    yieldOnce(app);
  }
}

}  // namespace erase

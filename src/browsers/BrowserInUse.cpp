#include "browsers/BrowserInUse.h"

#include <string>

#include "browsers/ChromeProfiles.h"
#include "browsers/MozillaProfiles.h"
#include "browsers/OperaSafariFolders.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"

namespace browsers {

namespace {

constexpr long kLockViolation = 33;

// True when another program holds the file open so that it cannot be held alone: a lock
// left behind by a browser that crashed opens, and tells nothing.
bool heldByAnother(const erase::RunContext& run, const std::string& path) {
  if (run.os.files.getAttributes(path) == platform::fileattr::Invalid) return false;
  long error = platform::winerr::Success;
  if (run.os.files.openFile(path, &error)) return false;
  return error == platform::winerr::SharingViolation || error == kLockViolation;
}

bool skipped(const erase::RunContext& run, const std::string& program) {
  erase::record(run.flags, erase::TargetKind::Item, program, 0, erase::Outcome::Refused,
                "running: close it and clean again");
  run.flags.skipped = "Skipped: " + program + " is running";
  return false;
}

}  // namespace

bool FirefoxClosed(const erase::RunContext& run) {
  const std::vector<MozillaProfile> profiles = FindMozillaProfiles(run);
  std::vector<ProfileFolder> folders;
  for (const MozillaProfile& profile : profiles) {
    const ProfileFolder& folder = profile.folder;
    if (folder.refusal.empty() && !folder.cacheOnly && heldByAnother(run, folder.path + "parent.lock"))
      return skipped(run, profile.program);
    folders.push_back(folder);
  }
  RecordRefused(run, folders);
  return true;
}

bool ChromeClosed(const erase::RunContext& run) {
  const std::vector<ChromeUserData> found = FindChromeUserData(run);
  if (!found.empty() && run.os.desktop.findWindowByClass("Chrome_MessageWindow") != 0)
    return skipped(run, found.front().program);
  std::vector<ProfileFolder> folders;
  for (const ChromeUserData& userData : found) {
    if (userData.folder.refusal.empty() && heldByAnother(run, userData.folder.path + "lockfile"))
      return skipped(run, userData.program);
    folders.push_back(userData.folder);
    folders.insert(folders.end(), userData.profiles.begin(), userData.profiles.end());
  }
  RecordRefused(run, folders);
  return true;
}

bool OperaClosed(const erase::RunContext& run) {
  if (run.os.desktop.findWindowByClass("OperaWindowClass") != 0) return skipped(run, "Opera");
  RecordRefused(run, FindOperaFolders(run));
  return true;
}

bool SafariClosed(const erase::RunContext& run) {
  const std::vector<ProfileFolder> folders = FindSafariFolders(run);
  for (const ProfileFolder& folder : folders)
    if (folder.refusal.empty() && folder.cacheOnly && heldByAnother(run, folder.path + "Cache.db"))
      return skipped(run, "Safari");
  RecordRefused(run, folders);
  return true;
}

}  // namespace browsers

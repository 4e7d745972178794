#include "erase/UsersFolders.h"

#include <cctype>

#include "erase/FolderPaths.h"
#include "erase/Plan.h"
#include "erase/ShellFolderPaths.h"
#include "platform/NameCase.h"
#include "platform/WinError.h"

namespace erase {

namespace {

constexpr int kCsidlProfile = 40;
constexpr uint32_t kPlatformNT = 2;
const char kAnotherUsers[] = "named for every user of this computer, outside your own profile";


// The folder's 8.3 spelling where Windows gives one, else its own: the registry may name
// a folder either way.
std::string spelledShort(const erase::RunContext& run, const std::string& folder) {
  std::string shortPath;
  if (run.os.files.getShortPathName(FolderToOpen(folder), &shortPath) != platform::winerr::Success) return folder;
  return NormaliseFolderPath(shortPath);
}

bool below(const std::string& folder, const std::string& top) {
  return !top.empty() && folder.size() >= top.size() &&
         platform::upperCased(folder.substr(0, top.size())) == platform::upperCased(top);
}

}  // namespace

bool UsersKeptApart(const erase::RunContext& run) {
  platform::OsVersion version;
  return !run.os.system.getVersion(&version) || version.platformId == kPlatformNT;
}

bool InOwnProfile(const erase::RunContext& run, const std::string& folder) {
  const std::string profile = NormaliseFolderPath(GetSpecialFolder(run, kCsidlProfile));
  return below(folder, profile) || below(spelledShort(run, folder), spelledShort(run, profile));
}

bool IsTempFolder(const erase::RunContext& run, const std::string& folder) {
  const std::string temp = NormaliseFolderPath(run.os.system.tempPath());
  if (temp.empty()) return false;
  return platform::upperCased(folder) == platform::upperCased(temp) ||
         platform::upperCased(spelledShort(run, folder)) == platform::upperCased(spelledShort(run, temp));
}

bool MachineWideFolderMayBeCleaned(const erase::RunContext& run, const std::string& folder) {
  if (!UsersKeptApart(run) || InOwnProfile(run, folder)) return true;
  record(run.flags, TargetKind::Folder, folder, 0, Outcome::Refused, kAnotherUsers);
  ++run.flags.leftBehind.othersFolders;
  return false;
}

}  // namespace erase

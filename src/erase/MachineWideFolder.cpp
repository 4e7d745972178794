#include "erase/MachineWideFolder.h"

#include <cctype>

#include "erase/FolderPaths.h"
#include "erase/Plan.h"
#include "erase/ShellFolderPaths.h"
#include "platform/WinError.h"

namespace erase {

namespace {

constexpr int kCsidlProfile = 40;
constexpr uint32_t kPlatformNT = 2;
const char kAnotherUsers[] = "named for every user of this computer, outside your own profile";

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The folder's 8.3 spelling where Windows gives one, else its own: the registry may name
// a folder either way.
std::string spelledShort(const engine::RunContext& run, const std::string& folder) {
  std::string shortPath;
  if (run.os.files.getShortPathName(FolderToOpen(folder), &shortPath) != platform::winerr::Success) return folder;
  return NormaliseFolderPath(shortPath);
}

bool below(const std::string& folder, const std::string& top) {
  return !top.empty() && folder.size() >= top.size() && upper(folder.substr(0, top.size())) == upper(top);
}

}  // namespace

bool MachineWideFolderMayBeCleaned(const engine::RunContext& run, const std::string& folder) {
  platform::OsVersion version;
  if (run.os.system.getVersion(&version) && version.platformId != kPlatformNT) return true;
  const std::string profile = NormaliseFolderPath(GetSpecialFolder(run, kCsidlProfile));
  if (below(folder, profile) || below(spelledShort(run, folder), spelledShort(run, profile))) return true;
  record(run.flags, TargetKind::Folder, folder, 0, Outcome::Refused, kAnotherUsers);
  return false;
}

}  // namespace erase

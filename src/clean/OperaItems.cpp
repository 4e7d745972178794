#include "clean/OperaItems.h"

#include "erase/FolderPaths.h"
#include "erase/ShellFolderPaths.h"
#include "erase/UsersFolders.h"

namespace clean {

namespace {

constexpr int kCsidlAppData = 26;
const char kProfile[] = "Opera\\OPERA7\\profile\\";

// The base folder with a trailing backslash; empty when it is empty or not absolute, so
// that a missing Opera never names the root of the current drive.
std::string baseFolder(const std::string& folder) { return erase::NormaliseFolderPath(folder); }

std::string installFolder(const erase::RunContext& run) { return baseFolder(erase::GetOperaPath(run)); }
std::string profileFolder(const erase::RunContext& run) {
  const std::string appData = baseFolder(erase::GetSpecialFolder(run, kCsidlAppData));
  return appData.empty() ? appData : appData + kProfile;
}

}  // namespace

const FolderSource kOperaInstall{installFolder, true};
const FolderSource kOperaProfile{profileFolder, false};

}  // namespace clean

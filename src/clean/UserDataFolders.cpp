#include "clean/UserDataFolders.h"

#include "erase/FolderPaths.h"
#include "erase/ShellFolderPaths.h"

namespace clean {

namespace {

constexpr int kCsidlAppData = 26;
constexpr int kCsidlLocalAppData = 28;

// Empty when the shell names no absolute folder, so that a missing one never names the
// root of the current drive.
std::string appData(const erase::RunContext& run) {
  return erase::NormaliseFolderPath(erase::GetSpecialFolder(run, kCsidlAppData));
}
std::string localAppData(const erase::RunContext& run) {
  return erase::NormaliseFolderPath(erase::GetSpecialFolder(run, kCsidlLocalAppData));
}

}  // namespace

const FolderSource kAppData{appData, false};
const FolderSource kLocalAppData{localAppData, false};

}  // namespace clean

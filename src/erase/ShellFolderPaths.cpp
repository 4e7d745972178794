#include "erase/ShellFolderPaths.h"

#include "erase/RegValues.h"
#include "erase/RunContext.h"

namespace erase {

namespace {
std::string upToZero(const std::string& text) { return text.substr(0, text.find('\0')); }
}  // namespace

std::string GetFolderClean(const erase::RunContext& run, std::uintptr_t owner, int csidl) {
  try {
    std::string path;
    if (!run.os.shell.specialFolderLocation(owner, csidl, &path)) return std::string();
    return upToZero(path);
  } catch (const std::exception&) {
    return std::string();
  }
}

std::string GetInternetCacheFolder(const erase::RunContext& run) {
  return GetFolderClean(run, run.owner, kCsidlInternetCache);
}

std::string GetTempFolder(const erase::RunContext& run) {
  try {
    const std::string path = upToZero(run.os.system.tempPath());
    // GetTempPathA fills nothing into the 255-character buffer when the path does not fit.
    return path.size() < 255 ? path : std::string();
  } catch (const std::exception&) {
    return std::string();
  }
}

std::string GetSpecialFolder(const erase::RunContext& run, int csidl) {
  try {
    std::string path;
    if (run.os.shell.folderPath(0, csidl, &path) < 0) return std::string();
    return upToZero(path);
  } catch (const std::exception&) {
    return std::string();
  }
}

std::string GetOperaPath(const erase::RunContext& run) {
  return ReadRegString(run, platform::hkey::LocalMachine,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe", "Path");
}

}  // namespace erase

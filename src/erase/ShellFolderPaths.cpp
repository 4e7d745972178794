#include "erase/ShellFolderPaths.h"

#include "app/App.h"
#include "erase/RegValues.h"

namespace erase {

namespace {
std::string upToZero(const std::string& text) { return text.substr(0, text.find('\0')); }
}  // namespace

std::string GetFolderClean(app::App& app, std::uintptr_t owner, int csidl) {
  try {
    std::string path;
    if (!app.os.shell.specialFolderLocation(owner, csidl, &path)) return std::string();
    return upToZero(path);
  } catch (const std::exception&) {
    return std::string();
  }
}

std::string GetInternetCacheFolder(app::App& app) {
  return GetFolderClean(app, app.frm.form.hWnd, kCsidlInternetCache);
}

std::string GetTempFolder(app::App& app) {
  try {
    const std::string path = upToZero(app.os.system.tempPath());
    // GetTempPathA fills nothing into the 255-character buffer when the path does not fit.
    return path.size() < 255 ? path : std::string();
  } catch (const std::exception&) {
    return std::string();
  }
}

std::string GetSpecialFolder(app::App& app, int csidl) {
  try {
    std::string path;
    if (app.os.shell.folderPath(0, csidl, &path) < 0) return std::string();
    return upToZero(path);
  } catch (const std::exception&) {
    return std::string();
  }
}

std::string GetOperaPath(app::App& app) {
  return ReadRegString(app, platform::hkey::LocalMachine,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe", "Path");
}

}  // namespace erase

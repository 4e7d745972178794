#include <ctime>

#include "app/App.h"
#include "platform/WinError.h"
#include "report/ErrorReporter.h"
#include "report/Inet.h"
#include "upgrade/Manifest.h"
#include "upgrade/State.h"
#include "upgrade/UpdateKey.h"
#include "upgrade/Upgrade.h"

namespace upgrade {

namespace {

constexpr uint64_t kManifestLimit = 4096;
constexpr int kAttempts = 6;

std::string programPath(app::App& app, const char* name) { return app.os.system.programFolder() + "\\" + name; }

// The signed manifest of the upgrade the version file announced, when its signature
// holds and it is newer than this program and than the stored "ver".
bool trustedManifest(app::App& app, Manifest* out) {
  std::string text;
  if (!report::FetchURL(app, serverUrl(app) + "/qypdate.exe.sig", &text, kManifestLimit)) return false;
  const std::optional<Manifest> manifest = readManifest(text, trustedUpdateKey());
  if (!manifest) return false;
  int floor = versionNumber(readState(app, "ver", ""));
  if (floor < kProgramVersion) floor = kProgramVersion;
  // No way back to an older program, and no other version than the one announced.
  if (manifest->version <= floor || std::to_string(manifest->version) != app.newVersion) return false;
  *out = *manifest;
  return true;
}

std::string nowText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (const std::tm* t = std::localtime(&now)) local = *t;
  char text[64] = {};
  std::strftime(text, sizeof text, "%m/%d/%Y %I:%M:%S %p", &local);
  return text;
}

}  // namespace

bool DownloadUpgrade(app::App& app) {
  if (!report::IsOnline(app)) return false;
  const std::string url = serverUrl(app) + "/qypdate.exe";
  const int32_t announced = GetRemoteFileSizeRaw(app, url);
  if (announced < 1) return false;
  // Checked before the program is fetched to be kept, let alone written.
  Manifest manifest;
  if (!trustedManifest(app, &manifest)) return false;

  std::string program;
  // A body longer than announced is cut off there, and the request fails.
  if (!report::FetchURL(app, url, &program, uint64_t(announced))) return false;
  const int64_t length = int64_t(program.size());
  const int64_t off = length - 1 - announced;
  if (length <= 1000 || off > 10 || off < -10) return false;
  if (!matchesManifest(manifest, program)) return false;

  platform::FileSystem& files = app.os.files;
  const std::string copy = programPath(app, "qy.exe");
  if (files.getAttributes(copy) != platform::fileattr::Invalid && files.deleteFile(copy) != platform::winerr::Success)
    return false;
  const bool written = files.writeFile(copy, program) == platform::winerr::Success;
  app.os.loop.doEvents();
  // What reached the disk is what was verified, or nothing is started.
  std::string stored;
  if (!written || files.readFile(copy, &stored) != platform::winerr::Success || !matchesManifest(manifest, stored)) {
    files.deleteFile(copy);
    return false;
  }
  return true;
}

void DownloadAndInstall(app::App& app) {
  bool downloaded = false;
  for (int attempt = 0; attempt < kAttempts && !downloaded; ++attempt) downloaded = DownloadUpgrade(app);
  if (!downloaded) return;

  const std::string previous = readState(app, "ver", "");
  saveState(app, "App", nowText());
  saveState(app, "ver", app.newVersion);
  saveState(app, "Up", "b");
  saveState(app, "donreq", "z");
  const std::string folder = app.os.system.programFolder();
  if (app.os.launcher.shellExecute(0, "open", programPath(app, "qy.exe"), "", folder, platform::showcmd::MinimizedFocus))
    app.os.system.endProgram();
  // The new copy did not start: nothing was handed over, so nothing is claimed.
  saveState(app, "ver", previous);
  saveState(app, "Up", "a");
  deleteState(app, "donreq");
}

}  // namespace upgrade

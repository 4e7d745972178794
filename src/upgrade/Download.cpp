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

// The signed manifest of the upgrade the version file announced, when its signature
// holds and it is newer than this program and than the stored "ver".
Outcome fetchManifest(app::App& app, Manifest* out) {
  std::string text;
  if (!report::FetchURL(app, serverUrl(app) + "/qypdate.exe.sig", &text, kManifestLimit)) return Outcome::Failed;
  const std::optional<Manifest> manifest = readManifest(text, trustedUpdateKeys());
  if (!manifest) return Outcome::Unverified;
  int floor = versionNumber(readState(app, "ver", ""));
  if (floor < kProgramVersion) floor = kProgramVersion;
  // No way back to an older program, and no other version than the one announced.
  if (manifest->version <= floor || std::to_string(manifest->version) != app.newVersion) return Outcome::Unverified;
  // The program's size as signed bounds what is fetched and kept in memory.
  if (manifest->size <= 1000 || manifest->size > kMaxProgram) return Outcome::Unverified;
  *out = *manifest;
  return Outcome::Verified;
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

Download DownloadUpgrade(app::App& app) {
  Download download;
  if (!report::IsOnline(app) || !app.os.programFiles) return download;
  // Checked before the program is fetched, let alone written.
  download.outcome = fetchManifest(app, &download.manifest);
  if (download.outcome != Outcome::Verified) return download;

  std::string program;
  // A body longer than the signed size is cut off there, and the request fails.
  download.outcome = Outcome::Failed;
  if (!report::FetchURL(app, serverUrl(app) + "/qypdate.exe", &program, download.manifest.size)) return download;
  if (program.size() != download.manifest.size) return download;  // cut short: another try
  if (!matchesManifest(download.manifest, program)) {
    download.outcome = Outcome::Unverified;
    return download;
  }
  const std::string copy = programPath(app, "qy.exe");
  platform::FileSystem& files = app.os.files;
  if (files.getAttributes(copy) != platform::fileattr::Invalid && files.deleteFile(copy) != platform::winerr::Success)
    return download;
  long error = 0;
  // Held from here until the new copy has started: what starts is what was checked.
  download.copy = app.os.programFiles->writeAndHold(copy, program, &error);
  app.os.loop.doEvents();
  if (!download.copy) return download;
  if (!matchesManifest(download.manifest, download.copy->data())) {
    download.copy.reset();
    files.deleteFile(copy);
    download.outcome = Outcome::Unverified;
    return download;
  }
  download.outcome = Outcome::Verified;
  return download;
}

Outcome DownloadAndInstall(app::App& app) {
  Download download;
  for (int attempt = 0; attempt < kAttempts && download.outcome == Outcome::Failed; ++attempt)
    download = DownloadUpgrade(app);
  if (download.outcome != Outcome::Verified) return download.outcome;

  const std::string previous = readState(app, "ver", "");
  saveState(app, "App", nowText());
  saveState(app, "oldver", previous);
  saveState(app, "ver", app.newVersion);
  saveState(app, "sha256", toHex(download.manifest.sha256.data(), download.manifest.sha256.size()));
  saveState(app, "Up", "b");
  saveState(app, "donreq", "z");
  if (app.os.programFiles->startProgram(programPath(app, "qy.exe"), app.os.system.programFolder(),
                                        platform::showcmd::MinimizedFocus)) {
    download.copy.reset();
    app.os.system.endProgram();
  }
  // The new copy did not start: nothing was handed over, so nothing is claimed.
  saveState(app, "ver", previous);
  saveState(app, "Up", "a");
  deleteState(app, "donreq");
  deleteState(app, "oldver");
  deleteState(app, "sha256");
  return Outcome::Failed;
}

}  // namespace upgrade

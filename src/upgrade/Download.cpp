#include <ctime>

#include "platform/Platform.h"
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
Outcome fetchManifest(platform::Platform& os, const std::string& newVersion, Manifest* out) {
  std::string text;
  if (!report::FetchURL(os, serverUrl(os) + "/qypdate.exe.sig", &text, kManifestLimit)) return Outcome::Failed;
  const std::optional<Manifest> manifest = readManifest(text, trustedUpdateKeys());
  if (!manifest) return Outcome::Unverified;
  int floor = versionNumber(readState(os, "ver", ""));
  if (floor < kProgramVersion) floor = kProgramVersion;
  // No way back to an older program, and no other version than the one announced.
  if (manifest->version <= floor || std::to_string(manifest->version) != newVersion) return Outcome::Unverified;
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

Download DownloadUpgrade(platform::Platform& os, const std::string& newVersion) {
  Download download;
  if (!report::IsOnline(os) || !os.programFiles) return download;
  // Checked before the program is fetched, let alone written.
  download.outcome = fetchManifest(os, newVersion, &download.manifest);
  if (download.outcome != Outcome::Verified) return download;

  std::string program;
  // A body longer than the signed size is cut off there, and the request fails.
  download.outcome = Outcome::Failed;
  if (!report::FetchURL(os, serverUrl(os) + "/qypdate.exe", &program, download.manifest.size)) return download;
  if (program.size() != download.manifest.size) return download;  // cut short: another try
  if (!matchesManifest(download.manifest, program)) {
    download.outcome = Outcome::Unverified;
    return download;
  }
  const std::string copy = programPath(os, "qy.exe");
  platform::FileSystem& files = os.files;
  if (files.getAttributes(copy) != platform::fileattr::Invalid && files.deleteFile(copy) != platform::winerr::Success)
    return download;
  long error = 0;
  // Held from here until the new copy has started: what starts is what was checked.
  download.copy = os.programFiles->writeAndHold(copy, program, &error);
  os.loop.doEvents();
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

Outcome DownloadAndInstall(platform::Platform& os, const std::string& newVersion) {
  Download download;
  for (int attempt = 0; attempt < kAttempts && download.outcome == Outcome::Failed; ++attempt)
    download = DownloadUpgrade(os, newVersion);
  if (download.outcome != Outcome::Verified) return download.outcome;

  const std::string previous = readState(os, "ver", "");
  saveState(os, "App", nowText());
  saveState(os, "oldver", previous);
  saveState(os, "ver", newVersion);
  saveState(os, "sha256", toHex(download.manifest.sha256.data(), download.manifest.sha256.size()));
  saveState(os, "Up", "b");
  saveState(os, "donreq", "z");
  if (os.programFiles->startProgram(programPath(os, "qy.exe"), os.system.programFolder(),
                                    platform::showcmd::MinimizedFocus)) {
    download.copy.reset();
    os.system.endProgram();
  }
  // The new copy did not start: nothing was handed over, so nothing is claimed.
  saveState(os, "ver", previous);
  saveState(os, "Up", "a");
  deleteState(os, "donreq");
  deleteState(os, "oldver");
  deleteState(os, "sha256");
  return Outcome::Failed;
}

}  // namespace upgrade

#pragma once
// The upgrade: the "Check For Upgrade" page, the version check, the verified download
// and the hand-over across three starts steered by the registry value "Up".
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Desktop.h"
#include "platform/ProgramFiles.h"
#include "platform/Registry.h"
#include "report/Inet.h"
#include "upgrade/Manifest.h"

namespace app {
struct Session;
}
namespace platform {
struct Platform;
}

namespace upgrade {

// Where the hand-over keeps its state, under HKEY_LOCAL_MACHINE.
constexpr const char* kStateKey = "Software\\Microsoft\\RADaz";
// No program of ours comes near this; a manifest that signs a larger one is not ours.
constexpr uint64_t kMaxProgram = report::kMaxBody;

// How a download ended: checked and kept, refused by its checks, or not fetched whole.
enum class Outcome { Verified, Unverified, Failed };

std::string programPath(platform::Platform& os, const char* name);

// "Upgrade Now": the check and, if due, the download and hand-over.
void cmdUpgrade_Click(app::Session& session);
// "Check Upgrade": brings "Upgrade Now" to the front of the page.
void cmdChkUpgrade_Click(app::Session& session);

// VersionCheck.cpp
// The announced size of `url`'s body; 0 when the fetch failed, any header holds "404",
// or Content-Length is missing or not a plain number.
int32_t GetRemoteFileSize(platform::Platform& os, const std::string& url);
// Content-Length of a header text as above.
int32_t contentLength(const std::string& headers);
// A version text read leniently (leading blanks, a sign, digits up to the first other
// character); 0 when it holds no number or one outside 16 bits.
int16_t versionNumber(const std::string& text);
// True when the server's "/qy.txt" is higher than `installed`; leaves it in `newVersion`.
bool IsUpgradeAvailable(platform::Platform& os, const std::string& installed, std::string* newVersion);
// The maker's web server as a URL prefix: "http://host".
std::string serverUrl(platform::Platform& os);

// Download.cpp
struct Download {
  Outcome outcome = Outcome::Failed;
  Manifest manifest;
  std::unique_ptr<platform::HeldFile> copy;  // "qy.exe", held once Verified
};
// Fetches the signed manifest "/qypdate.exe.sig" and, when it verifies, "/qypdate.exe" up
// to the size it signs; stores it as "qy.exe" when it matches `newVersion`, and holds it.
Download DownloadUpgrade(platform::Platform& os, const std::string& newVersion);
// Downloads until one is verified or refused, at most six times, then the hand-over's
// first step: starts "qy.exe" and ends. Returns only when nothing was handed over.
Outcome DownloadAndInstall(platform::Platform& os, const std::string& newVersion);

// HandOver.cpp
// Carries on an upgrade an earlier run downloaded; may start the new program and end this one.
// `owner` is the window its thank-you belongs to.
void CompleteUpgrade(platform::Platform& os, platform::WindowHandle owner);
// The value's text up to its first zero. A missing value is written as `defaultText` and
// read as the empty text; a missing key is created.
std::string ReadOrCreateRegString(platform::Platform& os, platform::HKey root, const std::string& key,
                                  const std::string& name, const std::string& defaultText);

}  // namespace upgrade

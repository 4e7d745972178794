#pragma once
// The upgrade: the "Check For Upgrade" page, the version check, the verified download
// and the hand-over across three starts steered by the registry value "Up".
#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace app {
class App;
}

namespace upgrade {

// Where the hand-over keeps its state, under HKEY_LOCAL_MACHINE.
constexpr const char* kStateKey = "Software\\Microsoft\\RADaz";

// "Upgrade Now": the check and, if due, the download and hand-over.
void cmdUpgrade_Click(app::App& app);
// "Check Upgrade": brings "Upgrade Now" to the front of the page.
void cmdChkUpgrade_Click(app::App& app);

// VersionCheck.cpp
// The announced size of `url`'s body; 0 when the fetch failed, any header holds "404",
// or Content-Length is missing or not a plain number.
int32_t GetRemoteFileSize(app::App& app, const std::string& url);
int32_t GetRemoteFileSizeRaw(app::App& app, const std::string& url);
// Content-Length of a header text as above.
int32_t contentLength(const std::string& headers);
// A version text read leniently (leading blanks, a sign, digits up to the first other
// character); 0 when it holds no number or one outside 16 bits.
int16_t versionNumber(const std::string& text);
// True when the server's "/qy.txt" is higher than `installed`; leaves it in app.newVersion.
bool IsUpgradeAvailable(app::App& app, const std::string& installed);
// The maker's web server as a URL prefix: "http://host".
std::string serverUrl(app::App& app);

// Download.cpp
// Fetches "/qypdate.exe" and, when it matches its signed manifest, stores it as "qy.exe".
bool DownloadUpgrade(app::App& app);
// Up to six downloads, then the hand-over's first step: starts "qy.exe" and ends.
void DownloadAndInstall(app::App& app);

// HandOver.cpp
// Carries on an upgrade an earlier run downloaded; may start the new program and end this one.
void CompleteUpgrade(app::App& app);
bool CopyFileSilently(app::App& app, const std::string& from, const std::string& to);
// The value's text up to its first zero. A missing value is written as `defaultText` and
// read as the empty text; a missing key is created.
std::string ReadOrCreateRegString(app::App& app, platform::HKey root, const std::string& key,
                                  const std::string& name, const std::string& defaultText);

}  // namespace upgrade

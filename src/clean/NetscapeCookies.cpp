// The cookie files of Mozilla-based Netscape profiles, found through Mozilla's profile list.
#include "clean/LinkCheck.h"
#include "clean/MozillaProfileScan.h"
#include "clean/NetscapeItems.h"
#include "clean/NetscapeTargets.h"
#include "cookies/CookieFileClean.h"
#include "cookies/NetscapeCookieFile.h"
#include "erase/FolderPaths.h"
#include "erase/RunContext.h"
#include "erase/modCleanItem.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"

namespace clean {

namespace {

// True when the profile folder, or a folder between it and the Mozilla folder, is a link:
// the folder named below the Mozilla folder would then lie elsewhere.
bool leadsThroughLink(const erase::RunContext& run, const std::string& mozilla, const std::string& profile) {
  for (size_t at = profile.find('\\', mozilla.size()); at != std::string::npos; at = profile.find('\\', at + 1))
    if (IsLinkAt(run.os.files, profile.substr(0, at))) return true;
  return IsLinkAt(run.os.files, profile);
}

}  // namespace

void CleanNetscapeCookies(const erase::RunContext& run) {
  using report::resumeNext;
  std::string mozilla;
  resumeNext([&] {
    const std::string appData =
        erase::ReadRegString(run, platform::hkey::CurrentUser,
                             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData");
    // An empty or relative folder would put the Mozilla folder at the current drive's root.
    if (!erase::NormaliseFolderPath(appData).empty()) mozilla = erase::AddBackslash(appData) + "Mozilla\\";
  });
  if (mozilla.empty()) return;
  const std::string profileList = mozilla + "registry.dat";
  if (!erase::CanOpenFile(run, profileList)) return;
  std::string text;
  resumeNext([&] {
    // One byte over the limit is enough to know the file is too large to be read.
    if (run.os.files.readFileHead(profileList, kRegistryDatLimit + 1, &text) != platform::winerr::Success) text.clear();
  });
  std::vector<std::string> profiles;
  resumeNext([&] { profiles = FindSltProfiles(text, mozilla); });
  std::set<std::string> met;
  for (const std::string& profile : profiles) {
    if (!FirstMention(met, profile)) continue;
    resumeNext([&] {
      const std::string folder = erase::AddBackslash(profile);
      if (leadsThroughLink(run, mozilla, profile)) {
        if (run.os.files.getAttributes(folder + "cookies.txt") != platform::fileattr::Invalid)
          erase::record(run.flags, erase::TargetKind::File, folder + "cookies.txt", 0, erase::Outcome::Refused,
                        "the profile folder is reached through a link");
        return;
      }
      if (erase::FolderExists(run, folder + "cache"))
        cookies::CleanCookieFile(run, folder + "cookies.txt", cookies::FilterNetscapeCookies);
    });
  }
}

}  // namespace clean

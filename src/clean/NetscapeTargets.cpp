#include "clean/NetscapeTargets.h"

#include <memory>

#include "clean/PlainPath.h"
#include "erase/FolderPaths.h"
#include "erase/RunContext.h"
#include "erase/UsersFolders.h"
#include "erase/WalkRules.h"
#include "erase/modCleanItem.h"

namespace clean {

namespace {

constexpr int kCsidlAppData = 26, kCsidlProfile = 40;
const char kNavigator[] = "Software\\Netscape\\Netscape Navigator";
const char kUsers[] = "Software\\Netscape\\Netscape Navigator\\Users";

std::string trimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string replaceAll(std::string text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

void appendBelow(const erase::RunContext& run, const std::string& folder, bool machineWide,
                 const std::vector<std::string>& names, std::vector<NetscapeTarget>& targets) {
  // Absolute folders only, with their "." and ".." resolved.
  const std::string base = erase::NormaliseFolderPath(erase::AddBackslash(folder));
  if (base.empty() || (machineWide && !erase::MachineWideFolderMayBeCleaned(run, base))) return;
  for (const std::string& name : names) targets.push_back({base + name, machineWide});
}

std::string mozillaProfilesFolder(const erase::RunContext& run) {
  const std::string profile = erase::AddBackslash(erase::GetSpecialFolder(run, kCsidlProfile));
  if (profile != "\\") return profile + "Application Data\\Mozilla\\Profiles";
  const std::string appData = erase::GetSpecialFolder(run, kCsidlAppData);
  if (appData.empty()) return std::string();
  return erase::AddBackslash(appData) + "Mozilla\\Profiles";
}

}  // namespace

bool FirstMention(std::set<std::string>& met, const std::string& path) {
  return met.insert(erase::nameKey(path)).second;
}

std::vector<NetscapeTarget> CollectNetscapeTargets(const erase::RunContext& run, const NetscapeSources& sources) {
  std::vector<NetscapeTarget> targets;
  if (sources.yieldFirst) erase::yieldOnce(run);

  const std::string user = erase::ReadRegString(run, platform::hkey::LocalMachine, kUsers, "CurrentUser");
  if (!user.empty() && !(sources.machineUserOnlyWhileRunning && run.flags.abort)) {
    const std::string name = trimBlanks(user);
    appendBelow(run,
                erase::ReadRegString(run, platform::hkey::LocalMachine, std::string(kUsers) + "\\" + name, "DirRoot"),
                true, sources.userNames, targets);
  }

  const std::string biffUser =
      trimBlanks(erase::ReadRegString(run, sources.biffRoot, std::string(kNavigator) + "\\biff", "CurrentUser"));
  // The name becomes a folder name: one that climbs or jumps would lead elsewhere.
  if (!biffUser.empty() && IsPlainRelativePath(biffUser)) {
    const std::string install =
        erase::ReadRegString(run, sources.biffRoot, std::string(kNavigator) + "\\Main", "Install Directory");
    appendBelow(run, replaceAll(install, "Communicator", "Users\\" + biffUser),
                sources.biffRoot == platform::hkey::LocalMachine, sources.biffNames, targets);
  }

  const std::string profiles = mozillaProfilesFolder(run);
  platform::FileIdentity identity;
  // Held while it is searched and never followed when it is a link, as the temp folder.
  std::unique_ptr<platform::HeldFolder> held;
  if (!erase::NormaliseFolderPath(profiles).empty() && erase::FolderExists(run, erase::AddBackslash(profiles)))
    held = erase::holdPlainFolder(run, profiles, &identity);
  std::vector<std::string> found;
  if (held) {
    if (!sources.searchFiles.empty())
      erase::FindFilesByName(run, profiles, sources.searchFiles, found);
    else
      erase::FindFoldersByName(run, profiles, sources.searchFolder, found);
  }
  for (std::string& path : found) targets.push_back({std::move(path), false});
  return targets;
}

}  // namespace clean

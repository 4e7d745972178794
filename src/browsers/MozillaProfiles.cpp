#include "browsers/MozillaProfiles.h"

#include <set>

#include "browsers/ProfilesIni.h"
#include "erase/FolderPaths.h"
#include "platform/NameCase.h"
#include "platform/WinError.h"

namespace browsers {

namespace {

struct Program {
  const char* name;
  const char* folder;  // below application data, local and roaming alike
};

const Program kPrograms[] = {
    {"Firefox", "Mozilla\\Firefox\\"},
    {"SeaMonkey", "Mozilla\\SeaMonkey\\"},
    {"Netscape", "Netscape\\NSB\\"},        // Netscape Browser 8
    {"Netscape", "Netscape\\Navigator\\"},  // Netscape Navigator 9
};

std::vector<IniProfile> listedProfiles(const erase::RunContext& run, const std::string& folder) {
  std::string text;
  if (run.os.files.readFileHead(folder + "profiles.ini", kProfilesIniLimit + 1, &text) != platform::winerr::Success)
    return {};
  return ReadProfilesIni(text);
}

std::vector<ProfileFolder> foldersOnly(const std::vector<MozillaProfile>& profiles) {
  std::vector<ProfileFolder> out;
  for (const MozillaProfile& profile : profiles) out.push_back(profile.folder);
  return out;
}

std::vector<clean::FoundFolder> profiles(const erase::RunContext& run) {
  return Accepted(foldersOnly(FindMozillaProfiles(run)), Halves::Profiles);
}
std::vector<clean::FoundFolder> profilesAndCaches(const erase::RunContext& run) {
  return Accepted(foldersOnly(FindMozillaProfiles(run)), Halves::Both);
}

}  // namespace

std::vector<MozillaProfile> FindMozillaProfiles(const erase::RunContext& run) {
  std::vector<MozillaProfile> found;
  const std::string roaming = RoamingAppData(run);
  if (roaming.empty()) return found;
  const std::string local = LocalAppData(run);
  // A folder listed twice is cleaned once, or the preview would promise its files twice.
  std::set<std::string> met;
  const auto add = [&](const char* program, ProfileFolder folder) {
    if (!met.insert(platform::upperCased(folder.path)).second) return;
    RefuseIfLink(run, folder);
    found.push_back({program, std::move(folder)});
  };
  for (const Program& program : kPrograms) {
    for (const IniProfile& listed : listedProfiles(run, roaming + program.folder)) {
      if (!listed.relative) {
        ProfileFolder whole;
        whole.path = erase::NormaliseFolderPath(listed.path);
        whole.namedWhole = true;
        if (whole.path.empty()) continue;
        whole.refusal = JudgeNamedFolder(run, whole.path);
        add(program.name, std::move(whole));
        continue;
      }
      ProfileFolder own;
      own.path = roaming + program.folder + listed.path + "\\";
      add(program.name, std::move(own));
      if (local.empty()) continue;
      ProfileFolder caches;
      caches.path = local + program.folder + listed.path + "\\";
      caches.cacheOnly = true;
      add(program.name, std::move(caches));
    }
  }
  return found;
}

const clean::FolderSource kMozillaProfiles{nullptr, false, profiles};
const clean::FolderSource kMozillaProfilesAndCaches{nullptr, false, profilesAndCaches};

}  // namespace browsers

#include "browsers/OperaSafariFolders.h"

#include "platform/FileSystem.h"
#include "platform/NameCase.h"

namespace browsers {

namespace {

const char kOpera[] = "Opera\\Opera\\";
const char kOpera9[] = "Opera\\Opera\\profile\\";
const char kSafari[] = "Apple Computer\\Safari\\";

// `below` joined to `base`, when both are there; the local halves marked as caches.
void addIfThere(const erase::RunContext& run, std::vector<ProfileFolder>& out, const std::string& base,
                const char* below, bool cacheOnly) {
  if (base.empty()) return;
  ProfileFolder folder;
  folder.path = base + below;
  folder.cacheOnly = cacheOnly;
  for (const ProfileFolder& known : out)
    if (platform::sameName(known.path, folder.path)) return;
  if (run.os.files.getAttributes(folder.path.substr(0, folder.path.size() - 1)) == platform::fileattr::Invalid) return;
  RefuseIfLink(run, folder);
  out.push_back(std::move(folder));
}

std::vector<clean::FoundFolder> operaProfiles(const erase::RunContext& run) {
  return Accepted(FindOperaFolders(run), Halves::Profiles);
}
std::vector<clean::FoundFolder> operaProfilesAndCaches(const erase::RunContext& run) {
  return Accepted(FindOperaFolders(run), Halves::Both);
}
std::vector<clean::FoundFolder> safariProfile(const erase::RunContext& run) {
  return Accepted(FindSafariFolders(run), Halves::Profiles);
}
std::vector<clean::FoundFolder> safariCaches(const erase::RunContext& run) {
  return Accepted(FindSafariFolders(run), Halves::Caches);
}

}  // namespace

std::vector<ProfileFolder> FindOperaFolders(const erase::RunContext& run) {
  std::vector<ProfileFolder> out;
  const std::string roaming = RoamingAppData(run);
  addIfThere(run, out, roaming, kOpera, false);
  addIfThere(run, out, roaming, kOpera9, false);
  addIfThere(run, out, LocalAppData(run), kOpera, true);
  return out;
}

std::vector<ProfileFolder> FindSafariFolders(const erase::RunContext& run) {
  std::vector<ProfileFolder> out;
  addIfThere(run, out, RoamingAppData(run), kSafari, false);
  addIfThere(run, out, LocalAppData(run), kSafari, true);
  return out;
}

const clean::FolderSource kOperaProfiles{nullptr, false, operaProfiles};
const clean::FolderSource kOperaProfilesAndCaches{nullptr, false, operaProfilesAndCaches};
const clean::FolderSource kSafariProfile{nullptr, false, safariProfile};
const clean::FolderSource kSafariCaches{nullptr, false, safariCaches};

}  // namespace browsers

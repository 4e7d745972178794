#include "browsers/ProfileFolder.h"

#include "clean/ProtectedFolders.h"
#include "erase/FolderPaths.h"
#include "erase/ShellFolderPaths.h"
#include "erase/UsersFolders.h"
#include "platform/NameCase.h"

namespace browsers {

namespace {

constexpr int kCsidlAppData = 0x1a;
constexpr int kCsidlLocalAppData = 0x1c;

const char kOutsideProfile[] = "named by the browser's profile list, outside your own profile";
const char kOwnFolder[] = "named by the browser's profile list, one of your own folders or holding one";
const char kSomeonesProfile[] = "named by the browser's profile list, a user's whole profile";
const char kLink[] = "a link: what it names may lie anywhere";

bool within(const std::string& folder, const std::string& top) {
  return folder.size() >= top.size() && platform::upperCased(folder.substr(0, top.size())) == platform::upperCased(top);
}

}  // namespace

std::string RoamingAppData(const erase::RunContext& run) {
  return erase::NormaliseFolderPath(erase::GetSpecialFolder(run, kCsidlAppData));
}

std::string LocalAppData(const erase::RunContext& run) {
  return erase::NormaliseFolderPath(erase::GetSpecialFolder(run, kCsidlLocalAppData));
}

std::string JudgeNamedFolder(const erase::RunContext& run, const std::string& normalised) {
  if (erase::UsersKeptApart(run) && !erase::InOwnProfile(run, normalised)) return kOutsideProfile;
  const clean::ProtectedFolders guarded = clean::LookUpProtectedFolders(run, {});
  for (const std::string& kept : guarded.kept)
    if (within(kept, normalised)) return kOwnFolder;
  if (!guarded.profilesRoot.empty() && within(normalised, guarded.profilesRoot) &&
      erase::ParentFolders(normalised).front() == guarded.profilesRoot)
    return kSomeonesProfile;
  return std::string();
}

void RefuseIfLink(const erase::RunContext& run, ProfileFolder& folder) {
  if (!folder.refusal.empty()) return;
  const uint32_t attributes = run.os.files.getAttributes(erase::FolderToOpen(folder.path));
  if (attributes != platform::fileattr::Invalid && (attributes & platform::fileattr::ReparsePoint))
    folder.refusal = kLink;
}

std::vector<clean::FoundFolder> Accepted(const std::vector<ProfileFolder>& folders, Halves halves) {
  std::vector<clean::FoundFolder> out;
  for (const ProfileFolder& folder : folders) {
    const bool wanted = halves == Halves::Both || (halves == Halves::Caches) == folder.cacheOnly;
    if (folder.refusal.empty() && wanted) out.push_back({folder.path, folder.namedWhole});
  }
  return out;
}

void RecordRefused(const erase::RunContext& run, const std::vector<ProfileFolder>& folders) {
  for (const ProfileFolder& folder : folders) {
    if (folder.refusal.empty()) continue;
    erase::record(run.flags, erase::TargetKind::Folder, folder.path, 0, erase::Outcome::Refused, folder.refusal);
    erase::LeftBehind& left = run.flags.leftBehind;
    if (folder.refusal == kLink)
      ++left.links;
    else if (folder.refusal == kOutsideProfile)
      ++left.othersFolders;
    else
      ++left.denied;
  }
}

}  // namespace browsers

#include "browsers/ChromeProfiles.h"

#include <set>

#include "browsers/LocalState.h"
#include "platform/NameCase.h"
#include "platform/WinError.h"

namespace browsers {

namespace {

struct Program {
  const char* name;
  const char* folder;  // below local application data
};

const Program kPrograms[] = {
    {"Chrome", "Google\\Chrome\\User Data\\"},
    {"Chromium", "Chromium\\User Data\\"},
};

std::vector<std::string> profileNames(const erase::RunContext& run, const std::string& userData) {
  std::vector<std::string> names = {"Default"};
  std::string text;
  if (run.os.files.readFileHead(userData + "Local State", kLocalStateLimit + 1, &text) != platform::winerr::Success)
    return names;
  for (std::string& name : ReadChromeProfileNames(text))
    if (!platform::sameName(name, "Default")) names.push_back(std::move(name));
  return names;
}

std::vector<clean::FoundFolder> userDataFolders(const erase::RunContext& run) {
  std::vector<ProfileFolder> folders;
  for (const ChromeUserData& found : FindChromeUserData(run)) folders.push_back(found.folder);
  return Accepted(folders, Halves::Both);
}

std::vector<clean::FoundFolder> profileFolders(const erase::RunContext& run) {
  std::vector<ProfileFolder> folders;
  for (const ChromeUserData& found : FindChromeUserData(run))
    if (found.folder.refusal.empty()) folders.insert(folders.end(), found.profiles.begin(), found.profiles.end());
  return Accepted(folders, Halves::Both);
}

}  // namespace

std::vector<ChromeUserData> FindChromeUserData(const erase::RunContext& run) {
  std::vector<ChromeUserData> found;
  const std::string local = LocalAppData(run);
  if (local.empty()) return found;
  for (const Program& program : kPrograms) {
    ChromeUserData userData{program.name, {}, {}};
    userData.folder.path = local + program.folder;
    if (run.os.files.getAttributes(userData.folder.path.substr(0, userData.folder.path.size() - 1)) ==
        platform::fileattr::Invalid)
      continue;
    RefuseIfLink(run, userData.folder);
    if (userData.folder.refusal.empty()) {
      for (const std::string& name : profileNames(run, userData.folder.path)) {
        ProfileFolder profile;
        profile.path = userData.folder.path + name + "\\";
        RefuseIfLink(run, profile);
        userData.profiles.push_back(std::move(profile));
      }
    }
    found.push_back(std::move(userData));
  }
  return found;
}

const clean::FolderSource kChromeUserData{nullptr, false, userDataFolders};
const clean::FolderSource kChromeProfiles{nullptr, false, profileFolders};

}  // namespace browsers

#include "clean/TempFolderGuard.h"

#include <cctype>
#include <map>
#include <memory>
#include <vector>

#include "app/App.h"
#include "clean/ProtectedFolders.h"
#include "erase/FolderPaths.h"
#include "platform/WinError.h"

namespace clean {

using platform::FileIdentity;

namespace {

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Every spelling of a normalised folder, upper-cased: as given, its 8.3 form, and the
// same again for the folder a substituted drive stands for ("subst X: C:\WINDOWS").
std::vector<std::string> spellingsOf(app::App& app, const std::string& normalised) {
  std::vector<std::string> forms;
  auto add = [&](const std::string& form) {
    if (form.empty()) return;
    for (const std::string& known : forms)
      if (known == form) return;
    forms.push_back(form);
  };
  std::string current = normalised;
  // A chain of substitutions ends, unless it loops: then a few rounds are enough.
  for (int round = 0; round < 8 && !current.empty(); ++round) {
    add(upper(current));
    std::string shortPath;
    if (app.os.files.getShortPathName(current, &shortPath) == platform::winerr::Success)
      add(upper(erase::NormaliseFolderPath(shortPath)));
    if (erase::IsSharePath(current)) break;
    const std::string target = erase::NormaliseFolderPath(app.os.files.substitutedDrive(current[0]));
    if (target.empty()) break;
    current = target + current.substr(3);
  }
  return forms;
}

// Folder ids by path, each folder opened once.
class Identities {
 public:
  explicit Identities(app::App& app) : app_(app) {}

  const FileIdentity& of(const std::string& normalised) {
    auto found = known_.find(upper(normalised));
    if (found != known_.end()) return found->second;
    FileIdentity identity;
    std::unique_ptr<platform::HeldFolder> opened;
    try {
      opened = app_.os.files.holdFolder(erase::FolderToOpen(normalised), &identity);
    } catch (const std::exception&) {
      opened.reset();
    }
    if (!opened) identity = FileIdentity();
    return known_.emplace(upper(normalised), identity).first->second;
  }

  // True when `folder`, or a folder holding it, is the one `held` names.
  bool isOrHolds(const FileIdentity& held, const std::string& folder) {
    if (of(folder).sameAs(held)) return true;
    for (const std::string& parent : erase::ParentFolders(folder))
      if (of(parent).sameAs(held)) return true;
    return false;
  }

 private:
  app::App& app_;
  std::map<std::string, FileIdentity> known_;
};

// A Windows folder at a drive root, whichever Windows installed it; its Temp may go.
bool insideWindowsByName(const std::vector<std::string>& names) {
  if (names.empty() || (names[0] != "WINDOWS" && names[0] != "WINNT")) return false;
  return names.size() < 2 || names[1] != "TEMP";
}

bool holdsKeptFolder(app::App& app, Identities& ids, const std::vector<std::string>& temp,
                     const FileIdentity& held, const std::vector<std::string>& kept) {
  for (const std::string& folder : kept) {
    for (const std::string& keptForm : spellingsOf(app, folder))
      for (const std::string& form : temp)
        if (startsWith(keptForm, form)) return true;
    if (ids.isOrHolds(held, folder)) return true;
  }
  return false;
}

bool insideWindows(app::App& app, Identities& ids, const std::string& folder, const std::vector<std::string>& temp,
                   const FileIdentity& held, const std::string& windows) {
  if (windows.empty()) return false;
  for (const std::string& windowsForm : spellingsOf(app, windows))
    for (const std::string& form : temp)
      if (startsWith(form, windowsForm) && !startsWith(form, windowsForm + "TEMP\\")) return true;
  // By identity: walking up from the folder, the first folder found to be Windows must
  // have been entered through its Temp folder.
  const FileIdentity& windowsId = ids.of(windows);
  const std::vector<std::string> parents = erase::ParentFolders(folder);
  for (size_t i = 0; i < parents.size(); ++i) {
    if (!ids.of(parents[i]).sameAs(windowsId)) continue;
    const FileIdentity& entered = i == 0 ? held : ids.of(parents[i - 1]);
    return !entered.sameAs(ids.of(windows + "Temp\\"));
  }
  return false;
}

bool isAProfile(app::App& app, Identities& ids, const std::string& folder, const std::vector<std::string>& temp,
                const std::string& profilesRoot) {
  if (profilesRoot.empty()) return false;
  const std::vector<std::string> roots = spellingsOf(app, profilesRoot);
  for (const std::string& form : temp) {
    const std::vector<std::string> parents = erase::ParentFolders(form);
    for (const std::string& root : roots)
      if (!parents.empty() && parents.front() == root) return true;
  }
  const std::vector<std::string> parents = erase::ParentFolders(folder);
  return !parents.empty() && ids.of(parents.front()).sameAs(ids.of(profilesRoot));
}

}  // namespace

bool IsProtectedFolder(app::App& app, const std::string& normalisedFolder, const FileIdentity& held) {
  if (normalisedFolder.empty() || erase::IsSharePath(normalisedFolder)) return true;
  if (held.attributes & platform::fileattr::ReparsePoint) return true;
  const std::vector<std::string> temp = spellingsOf(app, normalisedFolder);
  for (const std::string& form : temp) {
    // A share behind a substituted drive, a drive root, or a Windows folder by its name.
    if (erase::IsSharePath(form)) return true;
    const std::vector<std::string> names = erase::FolderNames(form);
    if (names.empty() || insideWindowsByName(names)) return true;
  }
  const ProtectedFolders folders = LookUpProtectedFolders(app);
  Identities ids(app);
  return holdsKeptFolder(app, ids, temp, held, folders.kept) ||
         insideWindows(app, ids, normalisedFolder, temp, held, folders.windows) ||
         isAProfile(app, ids, normalisedFolder, temp, folders.profilesRoot);
}

}  // namespace clean

#include "clean/TempFolderGuard.h"

#include <cctype>
#include <map>
#include <memory>
#include <vector>

#include "app/App.h"
#include "clean/ProtectedFolders.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
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

// Whether the folder some levels above the temp folder is a given folder, however either
// is reached. Where Windows tells file ids they decide, each folder opened once. Windows
// 95, 98 and ME tell none; there a marker file is dropped in the temp folder and looked
// for along the other path, since only a path into the same folder shows it.
class FolderMatch {
 public:
  FolderMatch(app::App& app, const std::string& temp, const FileIdentity& held)
      : app_(app), temp_(temp), held_(held), parents_(erase::ParentFolders(temp)) {
    if (!held.known) dropMarker();
  }
  ~FolderMatch() {
    if (!marker_.empty()) app_.os.files.deleteFile(temp_ + marker_);
  }
  FolderMatch(const FolderMatch&) = delete;
  FolderMatch& operator=(const FolderMatch&) = delete;

  // False where neither ids nor a marker can tell folders apart.
  bool canTell() const { return held_.known || !marker_.empty(); }

  // True when the folder `up` levels above the temp folder (0: the temp folder) is `folder`.
  bool isAbove(size_t up, const std::string& folder) {
    if (up > parents_.size()) return false;
    if (held_.known) return of(folder).sameAs(up == 0 ? held_ : of(parents_[up - 1]));
    if (marker_.empty()) return false;
    return app_.os.files.getAttributes(erase::AddBackslash(folder) + namesBelow(up) + marker_) !=
           platform::fileattr::Invalid;
  }

  // True when `folder`, or a folder holding it, is the temp folder.
  bool isOrHolds(const std::string& folder) {
    if (isAbove(0, folder)) return true;
    for (const std::string& parent : erase::ParentFolders(folder))
      if (isAbove(0, parent)) return true;
    return false;
  }

 private:
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

  // The last `up` names of the temp folder, each followed by a backslash.
  std::string namesBelow(size_t up) const {
    std::string::size_type start = temp_.size() - 1;
    for (size_t i = 0; i < up; ++i) start = temp_.rfind('\\', start - 1);
    return temp_.substr(start + 1);
  }

  void dropMarker() {
    const std::string name = "~qyguard" + std::to_string(app_.os.system.currentProcessId()) + ".tmp";
    if (app_.os.files.getAttributes(temp_ + name) != platform::fileattr::Invalid) return;
    if (app_.os.files.writeFile(temp_ + name, "") == platform::winerr::Success) marker_ = name;
  }

  app::App& app_;
  const std::string temp_;
  const FileIdentity& held_;
  const std::vector<std::string> parents_;
  std::map<std::string, FileIdentity> known_;
  std::string marker_;  // its name in the temp folder, once dropped
};

// A Windows folder at a drive root, whichever Windows installed it; its Temp may go.
bool insideWindowsByName(const std::vector<std::string>& names) {
  if (names.empty() || (names[0] != "WINDOWS" && names[0] != "WINNT")) return false;
  return names.size() < 2 || names[1] != "TEMP";
}

bool holdsKeptFolder(app::App& app, FolderMatch& match, const std::vector<std::string>& temp,
                     const std::vector<std::string>& kept) {
  for (const std::string& folder : kept) {
    for (const std::string& keptForm : spellingsOf(app, folder))
      for (const std::string& form : temp)
        if (startsWith(keptForm, form)) return true;
    if (match.isOrHolds(folder)) return true;
  }
  return false;
}

bool insideWindows(app::App& app, FolderMatch& match, const std::string& folder, const std::vector<std::string>& temp,
                   const std::string& windows) {
  if (windows.empty()) return false;
  for (const std::string& windowsForm : spellingsOf(app, windows))
    for (const std::string& form : temp)
      if (startsWith(form, windowsForm) && !startsWith(form, windowsForm + "TEMP\\")) return true;
  // By identity: walking up from the folder, the first folder found to be Windows must
  // have been entered through its Temp folder.
  const size_t depth = erase::ParentFolders(folder).size();
  for (size_t up = 1; up <= depth; ++up)
    if (match.isAbove(up, windows)) return !match.isAbove(up - 1, windows + "Temp\\");
  return false;
}

bool isAProfile(app::App& app, FolderMatch& match, const std::vector<std::string>& temp,
                const std::string& profilesRoot) {
  if (profilesRoot.empty()) return false;
  const std::vector<std::string> roots = spellingsOf(app, profilesRoot);
  for (const std::string& form : temp) {
    const std::vector<std::string> parents = erase::ParentFolders(form);
    for (const std::string& root : roots)
      if (!parents.empty() && parents.front() == root) return true;
  }
  return match.isAbove(1, profilesRoot);
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
  FolderMatch match(app, normalisedFolder, held);
  // Unable to tell an alias from another folder, the folder is left alone.
  if (!match.canTell()) return true;
  return holdsKeptFolder(app, match, temp, folders.kept) ||
         insideWindows(app, match, normalisedFolder, temp, folders.windows) ||
         isAProfile(app, match, temp, folders.profilesRoot);
}

}  // namespace clean

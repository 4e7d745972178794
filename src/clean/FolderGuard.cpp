#include "clean/FolderGuard.h"

#include <cctype>
#include <map>
#include <memory>
#include <vector>

#include "clean/ProtectedFolders.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "erase/RunContext.h"
#include "platform/NameCase.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"

namespace clean {

using platform::FileIdentity;

namespace {


bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Every spelling of a normalised folder, upper-cased: as given, its 8.3 form, and the
// same again for the folder a substituted drive stands for ("subst X: C:\WINDOWS").
std::vector<std::string> spellingsOf(const erase::RunContext& run, const std::string& normalised) {
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
    add(platform::upperCased(current));
    std::string shortPath;
    if (run.os.files.getShortPathName(current, &shortPath) == platform::winerr::Success)
      add(platform::upperCased(erase::NormaliseFolderPath(shortPath)));
    if (erase::IsSharePath(current)) break;
    const std::string target = erase::NormaliseFolderPath(run.os.files.substitutedDrive(current[0]));
    if (target.empty()) break;
    current = target + current.substr(3);
  }
  return forms;
}

// Whether the folder some levels above the judged folder is a given folder, however either
// is reached. Where Windows tells file ids they decide, each folder opened once. Windows
// 95, 98 and ME tell none; there a marker file is dropped in the judged folder and looked
// for along the other path, since only a path into the same folder shows it.
class FolderMatch {
 public:
  FolderMatch(const erase::RunContext& run, const std::string& folder, const FileIdentity& held)
      : run_(run), folder_(folder), held_(held), parents_(erase::ParentFolders(folder)) {
    if (!held.known) dropMarker();
  }
  ~FolderMatch() {
    if (!marker_.empty()) run_.os.files.deleteFile(folder_ + marker_);
  }
  FolderMatch(const FolderMatch&) = delete;
  FolderMatch& operator=(const FolderMatch&) = delete;

  // False where neither ids nor a marker can tell folders apart.
  bool canTell() const { return held_.known || !marker_.empty(); }

  // True when the folder `up` levels above the judged folder (0: the judged folder) is `folder`.
  bool isAbove(size_t up, const std::string& folder) {
    if (up > parents_.size()) return false;
    if (held_.known) return up == 0 ? isHeld(folder) : oneFolder(folder, parents_[up - 1]);
    if (marker_.empty()) return false;
    return run_.os.files.getAttributes(erase::AddBackslash(folder) + namesBelow(up) + marker_) !=
           platform::fileattr::Invalid;
  }

  // True where file ids alone told whether `folder` is the judged folder or lies in it:
  // the ids of the folder and of every folder above it were read, and any that matched
  // the judged folder's was compared on the volume too.
  bool toldById(const std::string& folder) {
    if (!held_.known) return false;
    auto told = [&](const std::string& path) {
      const Seen& seen = indexOf(path);
      return seen.indexTold && (seen.index != held_.fileIndex || seen.identity.known);
    };
    if (!told(folder)) return false;
    for (const std::string& parent : erase::ParentFolders(folder))
      if (!told(parent)) return false;
    return true;
  }

  // True when `folder`, or a folder holding it, is the judged folder.
  bool isOrHolds(const std::string& folder) {
    if (isAbove(0, folder)) return true;
    for (const std::string& parent : erase::ParentFolders(folder))
      if (isAbove(0, parent)) return true;
    return false;
  }

 private:
  // What was learnt of a folder reached by its path, each part asked for once.
  struct Seen {
    bool indexTold = false;
    uint64_t index = 0;
    bool identityTold = false;
    FileIdentity identity;
  };

  // Folders whose file ids differ are two; only where the ids agree are the volumes, which
  // cost Windows several requests to tell, asked for and compared too.
  bool isHeld(const std::string& folder) {
    const Seen& seen = indexOf(folder);
    if (seen.indexTold && seen.index != held_.fileIndex) return false;
    return identityOf(folder).sameAs(held_);
  }
  bool oneFolder(const std::string& a, const std::string& b) {
    const Seen& first = indexOf(a);
    const Seen& second = indexOf(b);
    if (first.indexTold && second.indexTold && first.index != second.index) return false;
    return identityOf(a).sameAs(identityOf(b));
  }

  Seen& indexOf(const std::string& normalised) {
    auto found = seen_.find(platform::upperCased(normalised));
    if (found != seen_.end()) return found->second;
    Seen seen;
    try {
      seen.indexTold = run_.os.files.fileIndexAt(erase::FolderToOpen(normalised), &seen.index) ==
                       platform::winerr::Success;
    } catch (const std::exception&) {
      seen.indexTold = false;
    }
    return seen_.emplace(platform::upperCased(normalised), seen).first->second;
  }

  const FileIdentity& identityOf(const std::string& normalised) {
    Seen& seen = indexOf(normalised);
    if (seen.identityTold) return seen.identity;
    seen.identityTold = true;
    std::unique_ptr<platform::HeldFolder> opened;
    try {
      opened = run_.os.files.holdFolder(erase::FolderToOpen(normalised), &seen.identity);
    } catch (const std::exception&) {
      opened.reset();
    }
    if (!opened) seen.identity = FileIdentity();
    return seen.identity;
  }

  // The last `up` names of the judged folder, each followed by a backslash.
  std::string namesBelow(size_t up) const {
    std::string::size_type start = folder_.size() - 1;
    for (size_t i = 0; i < up; ++i) start = folder_.rfind('\\', start - 1);
    return folder_.substr(start + 1);
  }

  void dropMarker() {
    const std::string name = "~qyguard" + std::to_string(run_.os.system.currentProcessId()) + ".tmp";
    long error = 0;
    // Created new: a file of that name already there is someone else's, never truncated.
    if (run_.os.files.createNewFile(folder_ + name, &error)) marker_ = name;
  }

  const erase::RunContext run_;
  const std::string folder_;
  const FileIdentity& held_;
  const std::vector<std::string> parents_;
  std::map<std::string, Seen> seen_;  // by upper-cased path
  std::string marker_;  // its name in the judged folder, once dropped
};

// True when `form` lies in one of the `allowed` folders of the Windows folder `windowsForm`,
// by either spelling ("FAVORITES" is FAVORI~1 too). Both upper-cased, normalised.
bool inAllowedFolder(const erase::RunContext& run, const std::string& windowsForm, const std::string& form,
                     const std::vector<std::string>& allowed) {
  for (const std::string& name : allowed)
    for (const std::string& spelling : spellingsOf(run, windowsForm + name + "\\"))
      if (startsWith(form, spelling)) return true;
  return false;
}

// A Windows folder at a drive root, whichever Windows installed it, other than the
// sub-folders the role allows.
bool insideWindowsByName(const erase::RunContext& run, const std::string& form, const std::vector<std::string>& names,
                         const std::vector<std::string>& allowed) {
  if (names.empty() || (names[0] != "WINDOWS" && names[0] != "WINNT")) return false;
  return !inAllowedFolder(run, form.substr(0, 3 + names[0].size() + 1), form, allowed);
}

// The kept folder by any of `keptForms` is the judged folder, or lies in it, by name.
FolderRefusal keptByName(const std::vector<std::string>& keptForms, const std::vector<std::string>& forms) {
  for (const std::string& keptForm : keptForms)
    for (const std::string& form : forms)
      if (keptForm == form) return FolderRefusal::OwnFolder;
  for (const std::string& keptForm : keptForms)
    for (const std::string& form : forms)
      if (startsWith(keptForm, form)) return FolderRefusal::HoldsOwnFolders;
  return FolderRefusal::None;
}

FolderRefusal keptFolderMet(const erase::RunContext& run, FolderMatch& match, const std::vector<std::string>& forms,
                            const std::vector<std::string>& kept) {
  for (const std::string& folder : kept) {
    const FolderRefusal asSpelt = keptByName({platform::upperCased(folder)}, forms);
    if (asSpelt != FolderRefusal::None) return asSpelt;
    if (match.isAbove(0, folder)) return FolderRefusal::OwnFolder;
    if (match.isOrHolds(folder)) return FolderRefusal::HoldsOwnFolders;
    // Its other spellings (8.3, behind a substituted drive), each a request to Windows,
    // are needed only where file ids could not tell.
    if (!match.toldById(folder)) {
      const FolderRefusal byName = keptByName(spellingsOf(run, folder), forms);
      if (byName != FolderRefusal::None) return byName;
    }
  }
  return FolderRefusal::None;
}

bool insideWindows(const erase::RunContext& run, FolderMatch& match, const std::string& folder,
                   const std::vector<std::string>& forms, const std::string& windows,
                   const std::vector<std::string>& allowed) {
  if (windows.empty()) return false;
  for (const std::string& windowsForm : spellingsOf(run, windows))
    for (const std::string& form : forms)
      if (startsWith(form, windowsForm) && !inAllowedFolder(run, windowsForm, form, allowed)) return true;
  // By identity: walking up from the folder, the first folder found to be Windows must
  // have been entered through one of the allowed folders.
  const size_t depth = erase::ParentFolders(folder).size();
  for (size_t up = 1; up <= depth; ++up) {
    if (!match.isAbove(up, windows)) continue;
    for (const std::string& name : allowed)
      if (match.isAbove(up - 1, windows + name + "\\")) return false;
    return true;
  }
  return false;
}

bool isAProfile(const erase::RunContext& run, FolderMatch& match, const std::vector<std::string>& forms,
                const std::string& profilesRoot) {
  if (profilesRoot.empty()) return false;
  const std::vector<std::string> roots = spellingsOf(run, profilesRoot);
  for (const std::string& form : forms) {
    const std::vector<std::string> parents = erase::ParentFolders(form);
    for (const std::string& root : roots)
      if (!parents.empty() && parents.front() == root) return true;
  }
  return match.isAbove(1, profilesRoot);
}

}  // namespace

FolderRefusal JudgeFolder(const erase::RunContext& run, const std::string& normalisedFolder, const FileIdentity& held,
                          const FolderRole& role) {
  if (normalisedFolder.empty()) return FolderRefusal::NoFolder;
  if (erase::IsSharePath(normalisedFolder)) return FolderRefusal::LeadsElsewhere;
  if (held.attributes & platform::fileattr::ReparsePoint) return FolderRefusal::LeadsElsewhere;
  const std::vector<std::string> forms = spellingsOf(run, normalisedFolder);
  for (const std::string& form : forms) {
    // A share behind a substituted drive, a drive root, or a Windows folder by its name.
    if (erase::IsSharePath(form)) return FolderRefusal::LeadsElsewhere;
    const std::vector<std::string> names = erase::FolderNames(form);
    if (names.empty()) return FolderRefusal::WholeDrive;
    if (insideWindowsByName(run, form, names, role.windowsSubFolders)) return FolderRefusal::InsideWindows;
  }
  const ProtectedFolders folders = LookUpProtectedFolders(run, role.ownShellFolders);
  FolderMatch match(run, normalisedFolder, held);
  // Unable to tell an alias from another folder, the folder is left alone.
  if (!match.canTell()) return FolderRefusal::CannotTell;
  const FolderRefusal kept = keptFolderMet(run, match, forms, folders.kept);
  if (kept != FolderRefusal::None) return kept;
  if (insideWindows(run, match, normalisedFolder, forms, folders.windows, role.windowsSubFolders))
    return FolderRefusal::InsideWindows;
  if (isAProfile(run, match, forms, folders.profilesRoot)) return FolderRefusal::Profile;
  return FolderRefusal::None;
}

const char* RefusalReason(FolderRefusal refusal) {
  switch (refusal) {
    case FolderRefusal::None: break;
    case FolderRefusal::NoFolder: return "could not be found";
    case FolderRefusal::LeadsElsewhere: return "is a link or a network folder";
    case FolderRefusal::WholeDrive: return "is a whole drive";
    case FolderRefusal::OwnFolder: return "is one of your own folders";
    case FolderRefusal::HoldsOwnFolders: return "holds other folders of yours";
    case FolderRefusal::InsideWindows: return "lies inside Windows";
    case FolderRefusal::Profile: return "is a user's profile";
    case FolderRefusal::CannotTell: return "could not be checked";
  }
  return "";
}

}  // namespace clean

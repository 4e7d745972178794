#include "clean/OperaItems.h"

#include <memory>
#include <vector>

#include "clean/NamedFileRemoval.h"
#include "erase/RunContext.h"
#include "erase/FolderPaths.h"
#include "erase/FolderWalk.h"
#include "erase/UsersFolders.h"
#include "erase/ShellFolderPaths.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"
#include "report/RuntimeError.h"

namespace clean {

namespace {

using platform::FindData;
namespace fileattr = platform::fileattr;

constexpr int kCsidlAppData = 26;
const char kProfile[] = "Opera\\OPERA7\\profile\\";

// The base folder with a trailing backslash; empty when it is empty or not absolute, so
// that a missing Opera never names the root of the current drive.
std::string baseFolder(const std::string& folder) { return erase::NormaliseFolderPath(folder); }

std::string installFolder(const erase::RunContext& run) { return baseFolder(erase::GetOperaPath(run)); }
std::string profileFolder(const erase::RunContext& run) {
  const std::string appData = baseFolder(erase::GetSpecialFolder(run, kCsidlAppData));
  return appData.empty() ? appData : appData + kProfile;
}

// The entries a listing of `pattern` yields, hidden and system ones left out as the
// normal-file filter leaves them out; folders too when `folders`.
std::vector<FindData> listed(const erase::RunContext& run, const std::string& pattern, bool folders) {
  std::vector<FindData> found, kept;
  if (run.os.files.findFiles(pattern, &found) != platform::winerr::Success) return kept;
  for (FindData& entry : found) {
    if (entry.attributes & (fileattr::Hidden | fileattr::System)) continue;
    if ((entry.attributes & fileattr::Directory) && (!folders || entry.name == "." || entry.name == "..")) continue;
    kept.push_back(std::move(entry));
  }
  return kept;
}

// Deletes the file through its own handle when a listing finds it; a link is refused. No
// abort check and no log: the run checks between items.
void deleteFileTarget(const erase::RunContext& run, const std::string& base, const std::string& relative) {
  report::resumeNext([&] {
    if (base.empty()) return;
    const std::string path = base + relative;
    const std::vector<FindData> found = listed(run, path, false);
    if (found.empty()) return;
    if (found[0].attributes & fileattr::ReparsePoint) {
      erase::record(run.flags, erase::TargetKind::File, path, 0, erase::Outcome::Refused, kLinkRefused);
      return;
    }
    RemoveNamedFile(run, path, erase::TargetKind::File);
  });
}

// Deletes the folder's own plain files; the folder, its sub-folders and its hidden and
// system files stay. The base folder is held and the cache folder held relative to it, so
// a cache that is, or becomes, a link is never emptied through.
void emptyFolderTarget(const erase::RunContext& run, const std::string& base, const std::string& relative) {
  report::resumeNext([&] {
    if (base.empty()) return;
    platform::FileIdentity identity;
    if (run.os.files.getAttributes(base + relative) == fileattr::Invalid) return;
    const std::unique_ptr<platform::HeldFolder> held = erase::holdPlainFolder(run, base, &identity);
    if (!held) return;
    const std::unique_ptr<platform::HeldFolder> cache = erase::HoldPlainChild(run, *held, base, relative);
    if (!cache) return;
    erase::WalkRules rules;
    rules.descend = false;
    erase::WalkHeldFolder(run, *cache, base + relative + "\\", rules);
  });
}

}  // namespace

void CleanOperaTypedUrl(const erase::RunContext& run) {
  const std::string profile = profileFolder(run);
  deleteFileTarget(run, profile, "global.dat");
  deleteFileTarget(run, profile, "opera.dir");
}

// Opera before 7 keeps its cache and cookies in its install folder, which the machine-wide
// registry names.
void CleanOperaCache(const erase::RunContext& run) {
  const std::string install = installFolder(run);
  if (install.empty() || !erase::MachineWideFolderMayBeCleaned(run, install)) return;
  erase::FlagHeld machineWide(run.flags.inMachineWideFolder);
  emptyFolderTarget(run, install, "Cache");
}

void CleanOpera7Cache(const erase::RunContext& run) { emptyFolderTarget(run, profileFolder(run), "cache4"); }

void CleanOperaCookies(const erase::RunContext& run) {
  const std::string install = installFolder(run);
  if (install.empty() || !erase::MachineWideFolderMayBeCleaned(run, install)) return;
  erase::FlagHeld machineWide(run.flags.inMachineWideFolder);
  deleteFileTarget(run, install, "cookies.dat");
}

void CleanOpera7Cookies(const erase::RunContext& run) { deleteFileTarget(run, profileFolder(run), "cookies4.dat"); }

}  // namespace clean

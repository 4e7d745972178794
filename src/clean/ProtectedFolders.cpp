#include "clean/ProtectedFolders.h"

#include <algorithm>
#include <cctype>

#include "erase/FolderPaths.h"
#include "erase/RegValues.h"
#include "erase/RunContext.h"
#include "erase/ShellFolderPaths.h"
#include "platform/NameCase.h"
#include "platform/WinError.h"

namespace clean {

namespace {

constexpr int kCsidlProfile = 0x28;

// Every folder id of the shell that names a real folder of the user or of All Users: the
// desktop, documents and media, the Start menu and its parts, SendTo, Templates, Favorites,
// Fonts, application data, the browser's cache, cookies and history, the Windows, system
// and program folders, the profile and the administrative tools, CD burning area.
constexpr int kShellFolders[] = {0x00, 0x02, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0b, 0x0d, 0x0e, 0x10,
                                 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x1b, 0x1c, 0x1d,
                                 0x1e, 0x1f, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
                                 0x29, 0x2a, 0x2b, 0x2c, 0x2d, 0x2e, 0x2f, 0x30, 0x35, 0x36, 0x37,
                                 0x38, 0x39, 0x3b};

template <typename Lookup>
std::string normalisedOrEmpty(Lookup&& lookup) {
  try {
    return erase::NormaliseFolderPath(lookup());
  } catch (const std::exception&) {
    return std::string();
  }
}

void addOnce(std::vector<std::string>& folders, const std::string& folder) {
  // A failed lookup, or one that answers a drive root, is no folder to keep.
  if (folder.empty() || erase::FolderNames(folder).empty()) return;
  for (const std::string& known : folders)
    if (platform::sameName(known, folder)) return;
  folders.push_back(folder);
}

}  // namespace

ProtectedFolders LookUpProtectedFolders(const erase::RunContext& run, const std::vector<int>& except) {
  ProtectedFolders out;
  out.windows = normalisedOrEmpty([&] { return run.os.shell.windowsFolder(); });
  addOnce(out.kept, out.windows);
  addOnce(out.kept, normalisedOrEmpty([&] { return run.os.shell.systemFolder(); }));
  for (int csidl : kShellFolders) {
    if (std::find(except.begin(), except.end(), csidl) != except.end()) continue;
    // Where both lookups answer, they read the same settings; the older one, four times
    // slower, is asked only where the newer one has no answer.
    std::string folder = normalisedOrEmpty([&] { return erase::GetSpecialFolder(run, csidl); });
    if (folder.empty()) folder = normalisedOrEmpty([&] { return erase::GetFolderClean(run, 0, csidl); });
    addOnce(out.kept, folder);
  }
  // Windows 95 and 98 have no shell id for Program Files; the registry names it on all.
  addOnce(out.kept, normalisedOrEmpty([&] {
            return erase::ReadRegString(run, platform::hkey::LocalMachine,
                                        "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
          }));
  addOnce(out.kept, normalisedOrEmpty([&] { return run.os.system.programFolder(); }));
  // The folder holding the user's profile holds everyone's ("Documents and Settings"); where
  // the profile sits at a drive root's level (Windows 9x without profiles) there is none.
  for (int lookup = 0; lookup < 2 && out.profilesRoot.empty(); ++lookup) {
    const std::string profile = normalisedOrEmpty([&] {
      return lookup == 0 ? erase::GetSpecialFolder(run, kCsidlProfile) : erase::GetFolderClean(run, 0, kCsidlProfile);
    });
    const std::vector<std::string> parents = erase::ParentFolders(profile);
    if (parents.size() >= 2) out.profilesRoot = parents.front();
  }
  return out;
}

}  // namespace clean

#include "erase/EraseFolder.h"

#include <memory>
#include <vector>

#include "app/App.h"
#include "erase/ActivityLog.h"
#include "erase/EraseFiles.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

namespace {

void eraseEntries(app::App& app, const std::string& folder, bool removeSubs);

// `folder` ends in "\\". Each folder is held open while it is walked and listed once into
// memory, so every sub-folder is visited once and the cost stays linear in the entries.
bool eraseTree(app::App& app, const std::string& folder, bool removeThis, bool removeSubs,
               const FolderCheck& mayErase) {
  {
    FileIdentity identity;
    const std::unique_ptr<HeldFolder> held = holdPlainFolder(app, folder, &identity);
    if (!held) return false;
    if (mayErase && !mayErase(identity)) return false;
    eraseEntries(app, folder, removeSubs);
  }
  if (aborted(app) || !removeThis) return true;
  try {
    app.os.files.removeDirectory(folder.substr(0, folder.size() - 1));
    LogActivity(folder + " Erased", ActivityTimeStamp());
  } catch (const std::exception&) {
  }
  return true;
}

void eraseEntries(app::App& app, const std::string& folder, bool removeSubs) {
  std::vector<FindData> entries;
  try {
    app.os.files.findFiles(folder + "*", &entries);
  } catch (const std::exception&) {
    entries.clear();
  }
  std::vector<std::string> leftFiles;  // not deletable when first offered
  bool descendedSince = false;         // a sub-folder was walked after the first of them
  for (const FindData& entry : entries) {
    if (aborted(app)) return;
    try {
      if (isDots(entry) || (entry.attributes & (fileattr::Hidden | fileattr::System))) {
        // "." and "..", and the entries the listing filter leaves out.
      } else if (isLink(entry)) {
        logSkipped(folder + entry.name, "link");
      } else if (isFolder(entry)) {
        const std::string sub = folder + entry.name + "\\";
        if (!fitsFolder(sub)) {
          logSkipped(folder + entry.name, "path too long");
        } else {
          eraseTree(app, sub, removeSubs, removeSubs, nullptr);
          descendedSince = !leftFiles.empty();
        }
      } else {
        const std::string file = folder + entry.name;
        if (!fitsFile(file))
          logSkipped(file, "path too long");
        else if (!eraseFileReporting(app, file))
          leftFiles.push_back(file);
      }
    } catch (const std::exception&) {
    }
    yieldOnce(app);
  }
  // A file that could not go is offered once more after the sub-folders walked since, as
  // a re-listing would offer it: a program may have let go of it meanwhile.
  if (descendedSince) {
    for (const std::string& file : leftFiles) {
      if (aborted(app)) return;
      eraseFileReporting(app, file);
      yieldOnce(app);
    }
  }
}

}  // namespace

void EraseFolder(app::App& app, std::string& path, bool removeThis, bool removeSubs) {
  if (path.empty()) return;
  path = AddBackslash(path);
  yieldOnce(app);
  eraseTree(app, path, removeThis, removeSubs, nullptr);
}

bool EraseCheckedFolder(app::App& app, const std::string& path, bool removeThis, bool removeSubs,
                        const FolderCheck& mayErase) {
  if (path.empty()) return false;
  yieldOnce(app);
  return eraseTree(app, AddBackslash(path), removeThis, removeSubs, mayErase);
}

void ClearSubFolders(app::App& app, std::string folder) {
  static const char* const masks[] = {"*.gif", "*.htm", "*.cab", "*.jpg", "*.css", "*.swf", "*", "*.*"};
  folder = NormaliseFolderPath(folder);
  if (folder.empty() || FolderNames(folder).empty()) {
    logSkipped(folder, "not a folder below a drive or share");
    return;
  }
  if (!FolderExists(app, folder)) return;
  FileIdentity identity;
  const std::unique_ptr<HeldFolder> held = holdPlainFolder(app, folder, &identity);
  if (!held) return;
  std::vector<FindData> entries;
  try {
    app.os.files.findFiles(folder + "*", &entries);
  } catch (const std::exception&) {
    return;
  }
  for (const FindData& entry : entries) {
    try {
      if (isDots(entry) || !isFolder(entry) || (entry.attributes & (fileattr::Hidden | fileattr::System))) {
      } else if (isLink(entry)) {
        logSkipped(folder + entry.name, "link");
      } else if (!fitsFolder(folder + entry.name + "\\")) {
        logSkipped(folder + entry.name, "path too long");
      } else {
        const std::string sub = folder + entry.name;
        FileIdentity subIdentity;
        if (std::unique_ptr<HeldFolder> subHeld = holdPlainFolder(app, sub, &subIdentity)) {
          app.os.files.setAttributes(sub, fileattr::Normal);
          for (const char* mask : masks) EraseMatchingFiles(app, sub + "\\" + mask);
          subHeld.reset();
          app.os.files.removeDirectory(sub);
        }
      }
    } catch (const std::exception&) {
    }
    yieldOnce(app);
  }
}

}  // namespace erase

#include "erase/EraseFolder.h"

#include <memory>
#include <vector>

#include "erase/FolderPaths.h"
#include "erase/FolderWalk.h"
#include "erase/PathChecks.h"
#include "erase/RunContext.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

namespace {

WalkRules eraseRules(bool removeSubs) {
  WalkRules rules;
  rules.removeSubFolders = removeSubs;
  return rules;
}

}  // namespace

void EraseFolder(const erase::RunContext& run, std::string& path, bool removeThis, bool removeSubs) {
  if (path.empty()) return;
  path = AddBackslash(path);
  yieldOnce(run);
  WalkFolderAt(run, path, removeThis, eraseRules(removeSubs), nullptr);
}

bool EraseCheckedFolder(const erase::RunContext& run, const std::string& path, bool removeThis, bool removeSubs,
                        const FolderCheck& mayErase) {
  if (path.empty()) return false;
  yieldOnce(run);
  return WalkFolderAt(run, AddBackslash(path), removeThis, eraseRules(removeSubs), mayErase);
}

void ClearSubFolders(const erase::RunContext& run, std::string folder) {
  folder = NormaliseFolderPath(folder);
  if (folder.empty() || FolderNames(folder).empty()) {
    logSkipped(folder, "not a folder below a drive or share");
    return;
  }
  if (!FolderExists(run, folder)) return;
  FileIdentity identity;
  const std::unique_ptr<HeldFolder> held = holdPlainFolder(run, folder, &identity);
  if (!held) return;
  std::vector<FindData> entries;
  if (held->list(&entries) != winerr::Success) return;
  // Each sub-folder loses its files, hidden ones too but not system ones; a folder inside
  // keeps it from going.
  WalkRules rules;
  rules.keep = fileattr::System;
  rules.descend = false;
  rules.clearAttributes = true;
  for (const FindData& entry : entries) {
    if (aborted(run)) return;
    if (!isFolder(entry) || (entry.attributes & (fileattr::Hidden | fileattr::System))) continue;
    if (isLink(entry))
      logSkipped(folder + entry.name, "link");
    else
      RemoveHeldTree(run, *held, folder, entry.name, rules);
    yieldOnce(run);
  }
}

}  // namespace erase

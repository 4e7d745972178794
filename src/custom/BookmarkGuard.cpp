#include "custom/BookmarkGuard.h"

#include <algorithm>

#include "clean/FolderGuard.h"
#include "erase/FolderPaths.h"
#include "erase/RunContext.h"
#include "erase/ShellFolderPaths.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace custom {

using namespace platform;

namespace {

constexpr int kCsidlFavorites = 6;
constexpr long kLockViolation = 33;

// The shared Favorites: Windows Vista and later answer the user's Favorites for it.
constexpr int kCsidlCommonFavorites = 0x1f;

// Favorites may lie in Windows' own Favorites folder (Windows 95 and 98 without profiles)
// and in the profiles Windows NT 4 and 98 keep inside it.
const clean::FolderRole kFavourites{{kCsidlFavorites, kCsidlCommonFavorites}, {"FAVORITES", "PROFILES"}};

// The guard deletes what appears in the folder, so the folder must be the user's Favorites
// alone: not a link, share or drive, not Windows, a profile or another of the user's folders
// (Favorites pointed at the Desktop would take every new document). It stays held open
// while the guard runs, so nobody can swap a link in for it.
clean::FolderRefusal holdUsableFolder(const erase::RunContext& run, FavouritesWatch& w, const std::string& path) {
  const std::string folder = erase::NormaliseFolderPath(path);
  if (folder.empty()) return clean::FolderRefusal::NoFolder;
  FileIdentity identity;
  w.held = run.os.files.holdFolder(erase::FolderToOpen(folder), &identity);
  clean::FolderRefusal refusal = clean::FolderRefusal::NoFolder;
  if (w.held && (identity.attributes & fileattr::Directory))
    refusal = clean::JudgeFolder(run, folder, identity, kFavourites);
  if (refusal != clean::FolderRefusal::None) {
    w.held.reset();
    return refusal;
  }
  w.folder = folder;
  return refusal;
}

// Listed through the held folder, and deleted through it by the very name listed: a path
// rebuilt from a name may name another file (Windows reads ".Bank.url." as ".Bank.url").
std::vector<FindData> listFolder(FavouritesWatch& w) {
  std::vector<FindData> entries, files;
  if (!w.held || w.held->list(&entries) != winerr::Success) return files;
  for (FindData& entry : entries)
    if (!erase::isDots(entry) && !erase::isFolder(entry) && !erase::isLink(entry)) files.push_back(std::move(entry));
  return files;
}

bool heldOpen(long rc) { return rc == winerr::SharingViolation || rc == kLockViolation; }

// Deletes one file, never a folder or a link; true when it should be tried again later.
bool deleteFavourite(FavouritesWatch& w, const std::string& name) {
  const EntryCheck plainFile = [](uint32_t attributes) {
    return attributes & (fileattr::Directory | fileattr::ReparsePoint) ? winerr::AccessDenied : winerr::Success;
  };
  return heldOpen(w.held->removeChildFile(name, false, plainFile));
}

void retryHeldOpen(FavouritesWatch& w) {
  std::vector<std::string> still;
  for (const std::string& name : w.heldOpen)
    if (deleteFavourite(w, name)) still.push_back(name);
  w.heldOpen = std::move(still);
}

void closeWatch(const erase::RunContext& run, FavouritesWatch& w) {
  if (w.handle) run.os.files.closeFolderWatch(w.handle);
  w.handle = 0;
}

// One wait slice: re-arm and clean after a change, retry what was held open, and watch
// again when the watch was lost.
void onSlice(const erase::RunContext& run, FavouritesWatch& w) {
  if (!w.running) return;
  if (!w.heldOpen.empty()) retryHeldOpen(w);
  if (!w.handle) {
    w.handle = run.os.files.startFolderWatch(w.folder, kFavouritesFilter);
    if (w.handle) DeleteNewFavourites(w);  // whatever came while nobody watched
    return;
  }
  switch (run.os.files.waitFolderWatch(w.handle, 0)) {
    case WatchState::Quiet:
      break;
    case WatchState::Changed:
      // Re-armed first, so that a file written while we clean signals again.
      if (!run.os.files.rearmFolderWatch(w.handle)) closeWatch(run, w);
      DeleteNewFavourites(w);
      break;
    case WatchState::Failed:
      closeWatch(run, w);
      break;
  }
}

}  // namespace

std::string GetFavouritesFolder(const erase::RunContext& run) {
  return erase::GetFolderClean(run, run.owner, kCsidlFavorites);
}

clean::FolderRefusal StartBookmarkGuard(const erase::RunContext& run, FavouritesWatch& w, const std::string& folder) {
  StopBookmarkGuard(run, w);
  w.folder.clear();
  const clean::FolderRefusal refusal = holdUsableFolder(run, w, folder);
  if (refusal != clean::FolderRefusal::None) return refusal;
  w.running = true;
  w.reference = takeReference(run.os.system.fileTimeNow(), listFolder(w));
  w.handle = run.os.files.startFolderWatch(w.folder, kFavouritesFilter);
  w.slice.onTimer = [run, &w] { onSlice(run, w); };
  w.slice.attach(&run.os.loop);
  w.slice.setEnabled(true);
  return refusal;
}

void DeleteNewFavourites(FavouritesWatch& w) {
  for (const FindData& entry : listFolder(w)) {
    if (!w.running) return;
    if (!isNewFavourite(w.reference, entry)) continue;
    if (deleteFavourite(w, entry.name) &&
        std::find(w.heldOpen.begin(), w.heldOpen.end(), entry.name) == w.heldOpen.end())
      w.heldOpen.push_back(entry.name);
  }
}

void StopBookmarkGuard(const erase::RunContext& run, FavouritesWatch& w) {
  w.running = false;
  w.slice.setEnabled(false);
  closeWatch(run, w);
  w.heldOpen.clear();
  w.held.reset();
}

}  // namespace custom

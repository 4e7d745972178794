#include "custom/BookmarkGuard.h"

#include <algorithm>

#include "clean/FolderGuard.h"
#include "engine/RunContext.h"
#include "erase/FolderPaths.h"
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
clean::FolderRefusal holdUsableFolder(const engine::RunContext& run, FavouritesWatch& w, const std::string& path) {
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

std::vector<FindData> listFolder(const engine::RunContext& run, const std::string& folder) {
  std::vector<FindData> entries, files;
  if (folder.empty() || run.os.files.findFiles(folder + "*", &entries) != winerr::Success) return files;
  for (FindData& entry : entries)
    if (!erase::isDots(entry) && !erase::isFolder(entry) && !erase::isLink(entry)) files.push_back(std::move(entry));
  return files;
}

bool heldOpen(long rc) { return rc == winerr::SharingViolation || rc == kLockViolation; }

// Deletes one file; true when it should be tried again later.
bool deleteFavourite(const engine::RunContext& run, const std::string& path) {
  if (!erase::fitsFile(path)) return false;
  return heldOpen(run.os.files.deleteFile(path));
}

void retryHeldOpen(const engine::RunContext& run, FavouritesWatch& w) {
  std::vector<std::string> still;
  for (const std::string& path : w.heldOpen) {
    const uint32_t attributes = run.os.files.getAttributes(path);
    if (attributes == fileattr::Invalid || (attributes & (fileattr::Directory | fileattr::ReparsePoint))) continue;
    if (deleteFavourite(run, path)) still.push_back(path);
  }
  w.heldOpen = std::move(still);
}

void closeWatch(const engine::RunContext& run, FavouritesWatch& w) {
  if (w.handle) run.os.files.closeFolderWatch(w.handle);
  w.handle = 0;
}

// One wait slice: re-arm and clean after a change, retry what was held open, and watch
// again when the watch was lost.
void onSlice(const engine::RunContext& run, FavouritesWatch& w) {
  if (!w.running) return;
  if (!w.heldOpen.empty()) retryHeldOpen(run, w);
  if (!w.handle) {
    w.handle = run.os.files.startFolderWatch(w.folder, kFavouritesFilter);
    if (w.handle) DeleteNewFavourites(run, w);  // whatever came while nobody watched
    return;
  }
  switch (run.os.files.waitFolderWatch(w.handle, 0)) {
    case WatchState::Quiet:
      break;
    case WatchState::Changed:
      // Re-armed first, so that a file written while we clean signals again.
      if (!run.os.files.rearmFolderWatch(w.handle)) closeWatch(run, w);
      DeleteNewFavourites(run, w);
      break;
    case WatchState::Failed:
      closeWatch(run, w);
      break;
  }
}

}  // namespace

std::string GetFavouritesFolder(const engine::RunContext& run) {
  return erase::GetFolderClean(run, run.owner, kCsidlFavorites);
}

clean::FolderRefusal StartBookmarkGuard(const engine::RunContext& run, FavouritesWatch& w, const std::string& folder) {
  StopBookmarkGuard(run, w);
  w.folder.clear();
  const clean::FolderRefusal refusal = holdUsableFolder(run, w, folder);
  if (refusal != clean::FolderRefusal::None) return refusal;
  w.running = true;
  w.reference = takeReference(run.os.system.fileTimeNow(), listFolder(run, w.folder));
  w.handle = run.os.files.startFolderWatch(w.folder, kFavouritesFilter);
  w.slice.onTimer = [run, &w] { onSlice(run, w); };
  w.slice.attach(&run.os.loop);
  w.slice.setEnabled(true);
  return refusal;
}

void DeleteNewFavourites(const engine::RunContext& run, FavouritesWatch& w) {
  for (const FindData& entry : listFolder(run, w.folder)) {
    if (!w.running) return;
    if (!isNewFavourite(w.reference, entry)) continue;
    const std::string path = w.folder + entry.name;
    if (deleteFavourite(run, path) && std::find(w.heldOpen.begin(), w.heldOpen.end(), path) == w.heldOpen.end())
      w.heldOpen.push_back(path);
  }
}

void StopBookmarkGuard(const engine::RunContext& run, FavouritesWatch& w) {
  w.running = false;
  w.slice.setEnabled(false);
  closeWatch(run, w);
  w.heldOpen.clear();
  w.held.reset();
}

}  // namespace custom

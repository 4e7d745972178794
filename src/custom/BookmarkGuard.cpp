#include "custom/BookmarkGuard.h"

#include <algorithm>

#include "app/App.h"
#include "clean/FolderGuard.h"
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
clean::FolderRefusal holdUsableFolder(app::App& app, const std::string& path) {
  FavouritesWatch& w = app.favouritesWatch;
  const std::string folder = erase::NormaliseFolderPath(path);
  if (folder.empty()) return clean::FolderRefusal::NoFolder;
  FileIdentity identity;
  w.held = app.os.files.holdFolder(erase::FolderToOpen(folder), &identity);
  clean::FolderRefusal refusal = clean::FolderRefusal::NoFolder;
  if (w.held && (identity.attributes & fileattr::Directory))
    refusal = clean::JudgeFolder(app, folder, identity, kFavourites);
  if (refusal != clean::FolderRefusal::None) {
    w.held.reset();
    return refusal;
  }
  w.folder = folder;
  return refusal;
}

std::vector<FindData> listFolder(app::App& app, const std::string& folder) {
  std::vector<FindData> entries, files;
  if (folder.empty() || app.os.files.findFiles(folder + "*", &entries) != winerr::Success) return files;
  for (FindData& entry : entries)
    if (!erase::isDots(entry) && !erase::isFolder(entry) && !erase::isLink(entry)) files.push_back(std::move(entry));
  return files;
}

bool heldOpen(long rc) { return rc == winerr::SharingViolation || rc == kLockViolation; }

// Deletes one file; true when it should be tried again later.
bool deleteFavourite(app::App& app, const std::string& path) {
  if (!erase::fitsFile(path)) return false;
  return heldOpen(app.os.files.deleteFile(path));
}

void retryHeldOpen(app::App& app) {
  FavouritesWatch& w = app.favouritesWatch;
  std::vector<std::string> still;
  for (const std::string& path : w.heldOpen) {
    const uint32_t attributes = app.os.files.getAttributes(path);
    if (attributes == fileattr::Invalid || (attributes & (fileattr::Directory | fileattr::ReparsePoint))) continue;
    if (deleteFavourite(app, path)) still.push_back(path);
  }
  w.heldOpen = std::move(still);
}

void closeWatch(app::App& app) {
  FavouritesWatch& w = app.favouritesWatch;
  if (w.handle) app.os.files.closeFolderWatch(w.handle);
  w.handle = 0;
}

// One wait slice: re-arm and clean after a change, retry what was held open, and watch
// again when the watch was lost.
void onSlice(app::App& app) {
  FavouritesWatch& w = app.favouritesWatch;
  if (!w.running) return;
  if (!w.heldOpen.empty()) retryHeldOpen(app);
  if (!w.handle) {
    w.handle = app.os.files.startFolderWatch(w.folder, kFavouritesFilter);
    if (w.handle) DeleteNewFavourites(app);  // whatever came while nobody watched
    return;
  }
  switch (app.os.files.waitFolderWatch(w.handle, 0)) {
    case WatchState::Quiet:
      break;
    case WatchState::Changed:
      // Re-armed first, so that a file written while we clean signals again.
      if (!app.os.files.rearmFolderWatch(w.handle)) closeWatch(app);
      DeleteNewFavourites(app);
      break;
    case WatchState::Failed:
      closeWatch(app);
      break;
  }
}

}  // namespace

std::string GetFavouritesFolder(app::App& app) {
  return erase::GetFolderClean(app, app.frm.form.hWnd, kCsidlFavorites);
}

clean::FolderRefusal StartBookmarkGuard(app::App& app, const std::string& folder) {
  StopBookmarkGuard(app);
  FavouritesWatch& w = app.favouritesWatch;
  w.folder.clear();
  const clean::FolderRefusal refusal = holdUsableFolder(app, folder);
  if (refusal != clean::FolderRefusal::None) return refusal;
  w.running = true;
  w.reference = takeReference(app.os.system.fileTimeNow(), listFolder(app, w.folder));
  w.handle = app.os.files.startFolderWatch(w.folder, kFavouritesFilter);
  w.slice.onTimer = [&app] { onSlice(app); };
  w.slice.attach(&app.os.loop);
  w.slice.setEnabled(true);
  return refusal;
}

void DeleteNewFavourites(app::App& app) {
  FavouritesWatch& w = app.favouritesWatch;
  for (const FindData& entry : listFolder(app, w.folder)) {
    if (!w.running) return;
    if (!isNewFavourite(w.reference, entry)) continue;
    const std::string path = w.folder + entry.name;
    if (deleteFavourite(app, path) && std::find(w.heldOpen.begin(), w.heldOpen.end(), path) == w.heldOpen.end())
      w.heldOpen.push_back(path);
  }
}

void StopBookmarkGuard(app::App& app) {
  FavouritesWatch& w = app.favouritesWatch;
  w.running = false;
  w.slice.setEnabled(false);
  closeWatch(app);
  w.heldOpen.clear();
  w.held.reset();
}

}  // namespace custom

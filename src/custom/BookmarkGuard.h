#pragma once
// The Favorites guard: while it runs, files that appear in the Favorites folder are
// deleted again. It looks every 100 ms on a timer of the event loop, so Disable, the
// main window's unload and everything else run beside it, never nested inside it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clean/FolderGuard.h"
#include "custom/FavouritesRule.h"
#include "ui/Timer.h"

namespace custom {

// FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_LAST_WRITE
constexpr uint32_t kFavouritesFilter = 21;
constexpr uint32_t kWaitSliceMs = 100;

// The watch state, one per process.
struct FavouritesWatch {
  bool running = false;
  std::uintptr_t handle = 0;  // the folder's change notification, 0 while there is none
  std::string folder;         // as looked up at enabling, with a trailing backslash
  std::unique_ptr<platform::HeldFolder> held;
  GuardReference reference;
  std::vector<std::string> heldOpen;  // names of new favourites their writer still holds open
  ui::Timer slice{"timBookmarkGuard", kWaitSliceMs};
};

// The Favorites folder as the shell reports it for the main window; empty when unknown.
std::string GetFavouritesFolder(const erase::RunContext& run);

// Starts the guard on `folder`: what is there now is kept, what appears later is deleted.
// A folder that is no safe place (clean::JudgeFolder) is refused: the guard stays off and
// the refusal is returned; None when the guard runs.
clean::FolderRefusal StartBookmarkGuard(const erase::RunContext& run, FavouritesWatch& w, const std::string& folder);
// Deletes the folder's new files; a file still held open by its writer is tried again
// every slice until it can go.
void DeleteNewFavourites(FavouritesWatch& w);
// Stops watching the Favorites folder and forgets the watch.
void StopBookmarkGuard(const erase::RunContext& run, FavouritesWatch& w);

}  // namespace custom

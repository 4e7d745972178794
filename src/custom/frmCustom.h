#pragma once
// The handlers of the customisation window, the main window's button that opens it, and
// the Favorites guard's return at start-up.

#include "custom/BookmarkGuard.h"
#include "custom/CustomWindow.h"

namespace engine {
struct Session;
}

namespace custom {

// Shows frmCustom modally: returns when it is closed (or the main window unloads).
void cmdIEcustSettings_Click(engine::Session& session, CustomWindow& w, const FavouritesWatch& watch);
// Closes frmCustom, saving its state; nothing when it is not loaded.
void UnloadCustom(engine::Session& session, CustomWindow& w);

// The guard buttons show whether the guard runs, whatever was stored.
void Form_Load(engine::Session& session, CustomWindow& w, const FavouritesWatch& watch);
void Form_Unload(engine::Session& session, CustomWindow& w);
void cmdSet_Click(engine::Session& session, CustomWindow& w);
void cmdUseBlank_Click(engine::Session& session, CustomWindow& w);
void cmdEnableAutoBookMark_Click(engine::Session& session, CustomWindow& w, FavouritesWatch& watch);
void cmdDisableAutoBookMark_Click(engine::Session& session, CustomWindow& w, FavouritesWatch& watch);
// At start-up: the guard that was on when the program last closed runs again, on the
// Favorites folder as it is now; a folder that is no longer safe leaves it off, and the
// buttons say so.
void ResumeBookmarkGuard(engine::Session& session, CustomWindow& w, FavouritesWatch& watch);

}  // namespace custom

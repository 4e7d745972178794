#pragma once
// The handlers of the customisation window, the main window's button that opens it, and
// the Favorites guard's return at start-up.

#include "custom/BookmarkGuard.h"
#include "custom/CustomWindow.h"

namespace app {
struct Session;
}

namespace custom {

// Shows frmCustom modally: returns when it is closed (or the main window unloads).
void cmdIEcustSettings_Click(app::Session& session, CustomWindow& w, const FavouritesWatch& watch);
// Closes frmCustom, saving its state; nothing when it is not loaded.
void UnloadCustom(app::Session& session, CustomWindow& w);

// The guard buttons show whether the guard runs, whatever was stored.
void Form_Load(app::Session& session, CustomWindow& w, const FavouritesWatch& watch);
void Form_Unload(app::Session& session, CustomWindow& w);
void cmdSet_Click(app::Session& session, CustomWindow& w);
void cmdUseBlank_Click(app::Session& session, CustomWindow& w);
void cmdEnableAutoBookMark_Click(app::Session& session, CustomWindow& w, FavouritesWatch& watch);
void cmdDisableAutoBookMark_Click(app::Session& session, CustomWindow& w, FavouritesWatch& watch);
// At start-up: the guard that was on when the program last closed runs again, on the
// Favorites folder as it is now; a folder that is no longer safe leaves it off, and the
// buttons say so.
void ResumeBookmarkGuard(app::Session& session, CustomWindow& w, FavouritesWatch& watch);

// The customisation window's two guard buttons as last stored, read once per run (at
// start-up, which resumes the guard they tell of): from then on they follow the guard.
void loadBookmarkButtons(app::Session& session);

}  // namespace custom

#pragma once
// The handlers of the customisation window, and the main window's button that opens it.

#include "custom/BookmarkGuard.h"
#include "custom/CustomWindow.h"

namespace engine {
struct Session;
}

namespace custom {

// Shows frmCustom modally: returns when it is closed (or the main window unloads).
void cmdIEcustSettings_Click(engine::Session& session, CustomWindow& w);
// Closes frmCustom, saving its state; nothing when it is not loaded.
void UnloadCustom(engine::Session& session, CustomWindow& w);

void Form_Load(engine::Session& session, CustomWindow& w);
void Form_Unload(engine::Session& session, CustomWindow& w);
void cmdSet_Click(engine::Session& session, CustomWindow& w);
void cmdUseBlank_Click(engine::Session& session, CustomWindow& w);
void cmdEnableAutoBookMark_Click(engine::Session& session, CustomWindow& w, FavouritesWatch& watch);
void cmdDisableAutoBookMark_Click(engine::Session& session, CustomWindow& w, FavouritesWatch& watch);

}  // namespace custom

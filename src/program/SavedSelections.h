#pragma once
// Everything the user sets on the main window, written at unload and read back at start-up,
// and the page buttons that only change ticks.
#include "engine/Catalogue.h"

namespace app {
struct Session;
}

namespace program {

// The "Every day" tick has a key of its own, following the array-name-and-index rule of
// the other ticks.
extern const char* const kEveryDayKey;

// Restores every saved selection and option and starts the scheduler clock.
void getLastSettings(app::Session& session);
// Restores the cleaning items' ticks alone, writing nothing: all that a run or a preview
// of the stored selection needs.
void getLastTicks(app::Session& session);
// Writes every selection and option back.
void saveLastSelection(app::Session& session);
// Restores the Run settings page's "Overwrite files before they are removed" tick (off
// unless saved) and the Shredder's security level, whose passes it uses; the level only
// once the level list is filled.
void getOverwriteChoice(app::Session& session);

// chkRun(0) may only be ticked while Check1 is.
void Check1_Click(app::Session& session);

void cmdSelectAllWin_Click(app::Session& session);
void cmdDeselectAllWin_Click(app::Session& session);
void cmdSelectAllIE_Click(app::Session& session);
void cmdDestAllIE_Click(app::Session& session);
void cmdSellectAllNet_Click(app::Session& session);
void cmdDesellectAllNet_Click(app::Session& session);
void cmdselectAllOP_Click(app::Session& session);
void cmdDeselectAllOP_Click(app::Session& session);
// Select All (1) and Deselect All (0) of the later pages.
void selectAll_Click(app::Session& session, engine::CleaningGroup group, int value);

}  // namespace program

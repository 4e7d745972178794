#pragma once
// Everything the user sets on the main window, written at unload and read back at start-up,
// and the page buttons that only change ticks.

namespace engine {
struct Session;
}

namespace settings {

// The application name every value of the program is stored under.
extern const char* const kAppName;
// The "Every day" tick has a key of its own, following the array-name-and-index rule of
// the other ticks.
extern const char* const kEveryDayKey;

// Restores every saved selection and option and starts the scheduler clock.
void getLastSettings(engine::Session& session);
// Restores the cleaning items' ticks alone, writing nothing: all that a run or a preview
// of the stored selection needs.
void getLastTicks(engine::Session& session);
// Writes every selection and option back.
void saveLastSelection(engine::Session& session);

// The customisation window's two guard buttons as last stored, read once per run (at
// start-up, which resumes the guard they tell of): from then on they follow the guard.
void loadBookmarkButtons(engine::Session& session);

// chkRun(0) may only be ticked while Check1 is.
void Check1_Click(engine::Session& session);

void cmdSelectAllWin_Click(engine::Session& session);
void cmdDeselectAllWin_Click(engine::Session& session);
void cmdSelectAllIE_Click(engine::Session& session);
void cmdDestAllIE_Click(engine::Session& session);
void cmdSellectAllNet_Click(engine::Session& session);
void cmdDesellectAllNet_Click(engine::Session& session);
void cmdselectAllOP_Click(engine::Session& session);
void cmdDeselectAllOP_Click(engine::Session& session);

}  // namespace settings

#pragma once
// Everything the user sets on the main window, written at unload and read back at start-up,
// and the page buttons that only change ticks.

namespace app {
class App;
}

namespace settings {

// The application name every value of the program is stored under.
extern const char* const kAppName;
// The "Every day" tick has a key of its own, following the array-name-and-index rule of
// the other ticks.
extern const char* const kEveryDayKey;

// Restores every saved selection and option and starts the scheduler clock.
void getLastSettings(app::App& app);
// Restores the cleaning items' ticks alone, writing nothing: all that a run or a preview
// of the stored selection needs.
void getLastTicks(app::App& app);
// Writes every selection and option back.
void saveLastSelection(app::App& app);

// The customisation window's two guard buttons as last stored, read once per run: from then
// on the window keeps them in the program.
void loadBookmarkButtons(app::App& app);

// chkRun(0) may only be ticked while Check1 is.
void Check1_Click(app::App& app);

void cmdSelectAllWin_Click(app::App& app);
void cmdDeselectAllWin_Click(app::App& app);
void cmdSelectAllIE_Click(app::App& app);
void cmdDestAllIE_Click(app::App& app);
void cmdSellectAllNet_Click(app::App& app);
void cmdDesellectAllNet_Click(app::App& app);
void cmdselectAllOP_Click(app::App& app);
void cmdDeselectAllOP_Click(app::App& app);

}  // namespace settings

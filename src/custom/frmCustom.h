#pragma once
// The handlers of the customisation window, and the main window's button that opens it.

namespace app {
class App;
}

namespace custom {

// Shows frmCustom modally: returns when it is closed (or the main window unloads).
void cmdIEcustSettings_Click(app::App& app);
// Closes frmCustom, saving its state; nothing when it is not loaded.
void UnloadCustom(app::App& app);

void Form_Load(app::App& app);
void Form_Unload(app::App& app);
void cmdSet_Click(app::App& app);
void cmdUseBlank_Click(app::App& app);
void cmdEnableAutoBookMark_Click(app::App& app);
void cmdDisableAutoBookMark_Click(app::App& app);

}  // namespace custom

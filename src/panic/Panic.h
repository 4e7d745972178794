#pragma once

namespace app {
class App;
}

namespace panic {

void getPanicSetting(app::App& app);  // shows the stored panic key
void cmbPanOK_Click(app::App& app);   // "Set Panic": stores the key chosen in the list
void HideProgram(app::App& app);
void ShowProgram(app::App& app);

}  // namespace panic

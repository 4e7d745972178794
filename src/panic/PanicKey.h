#pragma once
// The panic key: Ctrl with one of F2 to F12, chosen on the start-up page, and the hint
// on the Cleaning page that names it.

namespace app {
struct Session;
}

namespace panic {

void getPanicSetting(app::Session& session);  // shows the stored panic key
void cmbPanOK_Click(app::Session& session);   // "Set Panic": stores the key chosen in the list
// Every 500 ms: the hint alternates between "Panic" and "Ctrl+" with the chosen key.
void timPanic_Timer(app::Session& session);

}  // namespace panic

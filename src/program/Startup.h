#pragma once
// The main window's life: start-up, activation, closing, and its small handlers.
#include <string>

#include "ui/Controls.h"

namespace program {
class App;

void Form_Load(App& app);
void Form_Activate(App& app);
// unloadMode 2: Windows is shutting down or the user is logging off.
void Form_QueryUnload(App& app, int unloadMode);
void Form_Unload(App& app);
// Windows asks whether the session may end: a run under way cleans its remaining items
// now, or the shutdown cleaning pass runs, without pauses; the window stays, as another
// program may still cancel the shutdown.
void SessionEnding(App& app);
// The session ends (true): the window unloads and the program ends. Cancelled (false):
// the program goes on as before.
void SessionEnded(App& app, bool ending);
void cmdExit_Click(App& app);
void Label11_Click(App& app);
void Label13_Click(App& app);

}  // namespace program

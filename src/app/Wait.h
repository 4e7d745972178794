#pragma once
// The program's two waits that keep its windows alive: a pause, and a dialog's modal loop.
#include "platform/Platform.h"

namespace app {

struct Session;

// Returns after `seconds` (fractions allowed), dispatching window events meanwhile.
void WaitSeconds(platform::Platform& os, double seconds);

// A dialog window of the program shown modally: the main window takes no input and the
// events flow (timers and the bookmark guard go on) until `shown` turns false or the main
// window closes.
void runModal(Session& session, const bool& shown);

}  // namespace app

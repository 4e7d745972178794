#pragma once
// The program's two waits that keep its windows alive: a pause, and a dialog's modal loop.
#include <functional>

#include "platform/Platform.h"

namespace app {

struct Session;

// Returns after `seconds` (fractions allowed), dispatching window events meanwhile.
void WaitSeconds(platform::Platform& os, double seconds);

// A dialog window of the program shown modally, the one wait of the preview, the
// customisation window and the shredder's folder picker: the main window takes no input and
// the events flow (timers and the bookmark guard go on) until `shown` says the dialog has
// closed, or the main window closes.
void runModal(Session& session, const std::function<bool()>& shown);

}  // namespace app

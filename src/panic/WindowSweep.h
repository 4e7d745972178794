#pragma once
// The panic's sweep over other programs' windows: every Internet Explorer window closed,
// the first window whose title names a browser closed, everything else minimised.
#include <string>

#include "platform/Desktop.h"

namespace engine {
struct Session;
}

namespace panic {

// A browser that will not close must not hold the panic up for longer than this.
constexpr uint32_t kCloseIEGiveUpMs = 10000;

void MinimizeAllWindows(engine::Session& session);
// Closes every window of class "IEFrame", giving up after kCloseIEGiveUpMs.
void CloseIEWindows(engine::Session& session);
// Closes the first top-level window whose title contains `text`, in any letter case.
void CloseWindowByTitle(engine::Session& session, const std::string& text);
// The enumeration's visitor: false (stop) on the first window whose title matches.
bool CheckAllWindows(engine::Session& session, platform::WindowHandle window);
std::string GetWindowTitle(engine::Session& session, platform::WindowHandle window);

}  // namespace panic

#pragma once
// The panic's sweep over other programs' windows: every Internet Explorer window closed,
// the first window whose title names a browser closed, everything else minimised.
#include <string>

#include "platform/Desktop.h"

namespace platform {
struct Platform;
}

namespace panic {

// A browser that will not close must not hold the panic up for longer than this.
constexpr uint32_t kCloseIEGiveUpMs = 10000;

void MinimizeAllWindows(platform::Platform& os);
// Closes every window of class "IEFrame", giving up after kCloseIEGiveUpMs.
void CloseIEWindows(platform::Platform& os);
// Closes the first top-level window whose title contains `text`, in any letter case.
void CloseWindowByTitle(platform::Platform& os, const std::string& text);
// The enumeration's visitor: false (stop) on the first window whose title matches.
bool CheckAllWindows(platform::Platform& os, platform::WindowHandle window);
std::string GetWindowTitle(platform::Platform& os, platform::WindowHandle window);

}  // namespace panic

#pragma once
// What a cleaning item, walk or guard works with, and nothing more of the program.
#include "cookies/CookieViewer.h"
#include "engine/RunFlags.h"
#include "platform/Platform.h"

namespace engine {

struct RunContext {
  platform::Platform& os;
  RunFlags& flags;
  // The window the shell's dialogs and the clipboard belong to; 0 without one.
  platform::WindowHandle owner;
  // The cookie viewer, whose marks say which cookies a run keeps.
  cookies::CookieViewer& cookieViewer;
};

}  // namespace engine

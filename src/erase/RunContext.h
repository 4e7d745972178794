#pragma once
// What a cleaning item, walk or guard works with, and nothing more of the program.
#include "erase/RunFlags.h"
#include "platform/Platform.h"

namespace erase {

struct RunContext;

// The cookies the user keeps, as the cookie page marks them. A run asks it to remove the
// rest; it knows no window.
class KeptCookies {
 public:
  // Removes every cookie not kept, each recorded in the run's plan (or only recorded, while
  // the run collects).
  virtual void removeUnkept(const RunContext& run) = 0;

 protected:
  ~KeptCookies() = default;
};

struct RunContext {
  platform::Platform& os;
  RunFlags& flags;
  // The window the shell's dialogs and the clipboard belong to; 0 without one.
  platform::WindowHandle owner;
  KeptCookies& keptCookies;
};

}  // namespace erase

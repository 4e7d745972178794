#pragma once
// A system library's function looked up when first called. The libraries that the window
// does not need to appear (the shell, COM, the common dialogs) are not imported: under Wine
// each one loaded at start, with what it pulls in, delays the window noticeably.
#include <windows.h>

namespace platform::win32 {

// `name` in the system library `library`, loaded from the system folder on first use and
// kept for the rest of the program; null when either is missing.
void* lateFunctionAddress(const char* library, const char* name);

template <typename Fn>
Fn lateFunction(const char* library, const char* name) {
  return reinterpret_cast<Fn>(lateFunctionAddress(library, name));
}

}  // namespace platform::win32

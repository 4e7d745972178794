#pragma once
// A browser that is running is never half-cleaned: it holds its files open, rewrites them as
// it closes, and would bring back part of what the item removed. Each check is an item's
// precondition: it records why the item stops ("Skipped: Firefox is running") and is false,
// or records the profile folders it refused once for the whole item and is true.
//
// What tells that a browser runs:
// - Firefox, SeaMonkey and Netscape 8 and 9 hold "parent.lock" in the profile open, shared
//   with nobody;
// - Chrome and Chromium hold "lockfile" in User Data open without sharing it for writing
//   (later versions), and every version owns a window of class "Chrome_MessageWindow";
// - Opera 7 to 12 show windows of class "OperaWindowClass";
// - Safari holds its cache database "Cache.db" open while it runs. A Safari that has not
//   opened it yet is not seen: its files are then deleted, or fail as in use and are
//   reported so, never as done.
#include "erase/RunContext.h"

namespace browsers {

bool FirefoxClosed(const erase::RunContext& run);
bool ChromeClosed(const erase::RunContext& run);
bool OperaClosed(const erase::RunContext& run);
bool SafariClosed(const erase::RunContext& run);

}  // namespace browsers

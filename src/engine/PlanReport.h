#pragma once
// The plain-text report of a preview or a run, for an administrator to keep: a heading
// line, then one line per target, tab-separated, lines ending in CR LF for Notepad.
#include <string>

#include "erase/Plan.h"

namespace engine {

// "Item<TAB>Kind<TAB>Target<TAB>Bytes<TAB>Outcome<TAB>Reason"; a stopped plan ends with a
// line saying so.
std::string ReportText(const erase::Plan& plan);

}  // namespace engine

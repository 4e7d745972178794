#pragma once
// What a run freed, told once it has ended.

namespace app {

struct Session;

// The status bar's message panel says how much the last run freed (and what waits for the
// next restart), and the cleaning page's "Report" opens what it did.
void ShowRunTotals(Session& session);

}  // namespace app

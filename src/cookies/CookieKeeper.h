#pragma once
// The cookie keeper: the cookie list on the IE page, the keep list "cookies.inf" beside
// the program, and the deletion of the cookies that are not kept.
#include <string>

#include "engine/RunContext.h"

namespace cookies {

// "View Cookies": reads the cookies from the cache and marks those on the keep list.
void cmdGetCache_Click(const engine::RunContext& run);
// Deletes every cookie that is not on the keep list ("Clean Cookies").
void cmdDeleteSelected_Click(const engine::RunContext& run);
// "Clean Cookies" in a cleaning run: Delete Unselected, or, while the list is being read
// (a run started by the scheduler, the panic key or shutdown), the same by the saved keep
// list, leaving the interrupted read unfilled.
void CleanUnkeptCookies(const engine::RunContext& run);
// "Delete All": deletes every listed cookie, kept or not.
void cmdDeleteAllCache_Click(const engine::RunContext& run);
// Writes the keep list beside the program.
void SaveKeptCookies(const engine::RunContext& run);

std::string keepListPath(const engine::RunContext& run);
// Records between two dispatches of window events while the cache is read or emptied.
constexpr int kRecordsPerYield = 256;

}  // namespace cookies

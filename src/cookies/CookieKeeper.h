#pragma once
// The cookie keeper: the cookie list on the IE page, the keep list "cookies.inf" beside
// the program, and the deletion of the cookies that are not kept.
#include <string>

#include "erase/RunContext.h"

namespace cookies {

struct CookieViewer;

// "View Cookies": reads the cookies from the cache and marks those on the keep list.
void cmdGetCache_Click(const erase::RunContext& run, CookieViewer& viewer);
// Deletes every cookie that is not on the keep list ("Clean Cookies").
void cmdDeleteSelected_Click(const erase::RunContext& run, CookieViewer& viewer);
// "Clean Cookies" in a cleaning run: Delete Unselected, or, while the list is being read
// (a run started by the scheduler, the panic key or shutdown), the same by the saved keep
// list, leaving the interrupted read unfilled.
void CleanUnkeptCookies(const erase::RunContext& run, CookieViewer& viewer);
// "Delete All": deletes every listed cookie, kept or not.
void cmdDeleteAllCache_Click(const erase::RunContext& run, CookieViewer& viewer);
// Writes the keep list beside the program.
void SaveKeptCookies(const erase::RunContext& run, CookieViewer& viewer);

std::string keepListPath(const erase::RunContext& run);
// Records between two dispatches of window events while the cache is read or emptied.
constexpr int kRecordsPerYield = 256;

}  // namespace cookies

#pragma once
// The cookie keeper: the cookie list on the IE page, the keep list "cookies.inf" beside
// the program, and the deletion of the cookies that are not kept.
#include <string>

namespace app {
class App;
}

namespace cookies {

// "View Cookies": reads the cookies from the cache and marks those on the keep list.
void cmdGetCache_Click(app::App& app);
// Deletes every cookie that is not on the keep list ("Clean Cookies").
void cmdDeleteSelected_Click(app::App& app);
// "Clean Cookies" in a cleaning run: Delete Unselected, or, while the list is being read
// (a run started by the scheduler, the panic key or shutdown), the same by the saved keep
// list, leaving the interrupted read unfilled.
void CleanUnkeptCookies(app::App& app);
// "Delete All": deletes every listed cookie, kept or not.
void cmdDeleteAllCache_Click(app::App& app);
// Writes the keep list beside the program.
void SaveKeptCookies(app::App& app);

std::string keepListPath(app::App& app);
// Records between two dispatches of window events while the cache is read or emptied.
constexpr int kRecordsPerYield = 256;

}  // namespace cookies

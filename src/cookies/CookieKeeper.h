#pragma once

namespace app {
class App;
}

namespace cookies {

// Deletes every cookie that is not on the keep list ("Clean Cookies").
void cmdDeleteSelected_Click(app::App& app);
// Writes the keep list beside the program.
void SaveKeptCookies(app::App& app);

}  // namespace cookies

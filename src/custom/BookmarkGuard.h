#pragma once

namespace app {
class App;
}

namespace custom {

// Stops watching the Favorites folder and forgets the watch.
void StopBookmarkGuard(app::App& app);

}  // namespace custom

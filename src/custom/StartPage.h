#pragma once
// Internet Explorer's start page: the "Start Page" value of the user's browser settings.
#include <string>

namespace app {
class App;
}

namespace custom {

// Empty when the value is missing.
std::string ReadStartPage(app::App& app);
void WriteStartPage(app::App& app, const std::string& url);

}  // namespace custom

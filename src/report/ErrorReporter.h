#pragma once
#include <string>

namespace app {
class App;
}

namespace report {

// Sends a silent report of a failure to the maker, when on line.
void ReportError(app::App& app, const std::string& text, long number, const std::string& description);

}  // namespace report

#pragma once
// How the time pickers show a time of day.
#include <string>

namespace ui {

// The 12-hour clock with the locale's morning and afternoon markers; where the locale has
// none, the 24-hour clock, or 02:30 and 14:30 would look the same.
std::string pickerTimeFormat(const std::string& amMarker, const std::string& pmMarker);

}  // namespace ui

#pragma once
// Cleaning runs steered from outside: ticking items and running Start Cleaning to its end.
#include <windows.h>

#include <string>
#include <vector>

#include "DriverSupport.h"

namespace e2e {

constexpr DWORD kRunDeadlineMs = 90000;
extern const std::string kLongBlank;  // the separator line after each item
extern const char* const kReady[4];   // the idle text that ends every run's list

// Empties every cleaning tick with the Deselect All buttons, then ticks `indices` of
// `array`. False (with a failure) when the ticks do not come out as asked.
bool tickOnly(const Program& program, const char* array, const std::vector<int>& indices);

// Presses Start Cleaning and waits until the list ends with the idle text after
// "Cleaning Is Done."; `lines` holds the list as last read. False when the deadline passed.
bool runToEnd(const Program& program, std::vector<std::string>* lines);

// An item's three lines, then the run's closing lines: the list of a run of these items.
std::vector<std::string> runLines(const std::vector<std::string>& itemStatusTexts);

}  // namespace e2e

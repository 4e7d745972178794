#pragma once
// Cleaning runs steered from outside: ticking items, running Start Cleaning to its end and
// comparing the list with what a run must show.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DriverSupport.h"

namespace e2e {

constexpr DWORD kRunDeadlineMs = 90000;
extern const std::string kLongBlank;  // the separator line after each item
extern const char* const kReady[4];   // the idle text that ends every run's list

struct Tick {
  const char* array;
  int index;
};

// Empties every cleaning tick with the pages' Deselect All buttons, then ticks `ticks`.
// Returns false (with failures recorded) when the ticks are not as asked.
bool tickOnly(const Program& program, const std::vector<Tick>& ticks);
// The same for `indices` of one `array`.
bool tickOnly(const Program& program, const char* array, const std::vector<int>& indices);

// Presses Start Cleaning and waits until the list ends with the idle text after
// "Cleaning Is Done."; `lines` holds the list as last read. False when the deadline passed.
bool runToEnd(const Program& program, std::vector<std::string>* lines);

// An item's three lines, then the run's closing lines: the list of a run of these items.
std::vector<std::string> runLines(const std::vector<std::string>& itemStatusTexts);

// A line as it reads in a report: quoted, with runs of blanks counted.
std::string shown(const std::string& line);
// Expected and actual lines side by side, differing rows marked.
std::string sideBySide(const std::vector<std::string>& expected, const std::vector<std::string>& actual);
void expectLines(const std::string& what, const std::vector<std::string>& expected,
                 const std::vector<std::string>& actual);

bool contains(const std::vector<std::string>& lines, const std::string& line);
// A run has ended when its closing line is followed by the ready message.
bool runEnded(const std::vector<std::string>& lines, const char* closing);
// Reads the list until `done` holds for its lines or the deadline passes; `lines` ends
// with the last complete reading.
bool waitForLines(HWND list, std::vector<std::string>* lines,
                  const std::function<bool(const std::vector<std::string>&)>& done, DWORD ms);

}  // namespace e2e

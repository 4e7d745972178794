#pragma once
// Steering a cleaning run from outside: ticking items, waiting for the list's lines and
// comparing them with what a run must show.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DriverSupport.h"

namespace e2e {

extern const std::string kLongBlank;  // what follows "Done..." of most items
extern const char* const kReady[4];   // the idle help text after a run

struct Tick {
  const char* array;
  int index;
};

// Empties every cleaning tick with the four Deselect All buttons, then ticks `ticks`.
// Returns false (with failures recorded) when the ticks are not as asked.
bool tickOnly(const Program& program, const std::vector<Tick>& ticks);

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

// Ticks only `ticks`, presses Start Cleaning and reads the list until the run has ended
// with "Cleaning Is Done." or the deadline passes; `lines` holds the last reading. False,
// with a failure recorded, when the ticks or controls are not there or the run did not end.
bool runTicked(const Program& program, const std::vector<Tick>& ticks, DWORD ms, std::vector<std::string>* lines);

}  // namespace e2e

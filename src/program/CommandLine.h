#pragma once
// What an administrator asks of Quellery on its command line: a cleaning run or a preview
// without any window, with a report, or the usage.
#include <string>
#include <vector>

namespace program {

struct CommandLine {
  enum class Action {
    ShowWindow,  // no switch: the program as a user starts it
    Clean,       // "/clean": the stored selection, without any window
    Preview,     // "/preview": what /clean would remove, changing nothing
    Usage,       // "/?"
    Mistake,     // a line not understood: the usage, and the program does nothing
  };
  Action action = Action::ShowWindow;
  std::string reportPath;  // "/report:PATH"; empty when not given
  std::string mistake;     // what was not understood, for the usage box
  // "/clean" or "/preview" is on the line: it may run where nobody can answer a box (Task
  // Scheduler, "start /wait" in a logon script), so even a line not understood shows none.
  bool unattended = false;
};

// The exit codes of the command line.
namespace exitcode {
constexpr int Done = 0;         // every target removed (or marked to go at the next restart)
constexpr int NotAllDone = 1;   // something failed or was refused, the report was not written,
                                // or the command line was not understood
constexpr int AnotherCopy = 2;  // another copy of Quellery runs: nothing was done
}  // namespace exitcode

// The arguments as Windows programs split them: blanks separate, double quotes group
// (anywhere in an argument), backslashes are literal unless they precede a quote.
std::vector<std::string> splitArguments(const std::string& line);
// Switches start with '/' or '-' and are read without regard to case. The word the Windows
// Run entry passes ("m", as every version has written it) starts the program as a user does.
CommandLine parseCommandLine(const std::string& line);
// What follows the program's own name in the command line Windows keeps whole
// (GetCommandLineA). A quoted name ends at its closing quote. An unquoted one may hold
// blanks, as older versions' Run entries wrote it ("C:\Program Files\Quellery\Quellery.exe
// m"), so where the line starts with the program's own path that is taken off whole.
std::string argumentsAfterProgram(const std::string& commandLine, const std::string& programPath);

// The text of the usage box.
extern const char* const kUsage;
// Where a line with /clean or /preview that names no report says why it did nothing:
// this file in the program's folder.
extern const char* const kCommandLineLog;

}  // namespace program

#pragma once
// The command line carried out on the program's models, without the main window.
#include "erase/Plan.h"
#include "program/CommandLine.h"

namespace program {
class App;

// Carries out any action but ShowWindow and returns the process's exit code. Nothing is
// shown but the usage box (for "/?" and for a line not understood), and that only on a
// line without /clean or /preview: there the text goes to a file (CommandLine::unattended).
int RunCommandLine(App& app, const CommandLine& command);

// A run is done when it was not stopped and no target failed or was refused; a file in
// use that goes at the next restart counts as removed.
int CleanExitCode(const erase::Plan& run);

}  // namespace program

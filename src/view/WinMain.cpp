// Quellery.exe: the Windows platform, the program and its main window, and the loop
// that dispatches their events until the window is unloaded.
#include <windows.h>

#include <string>

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32EventLoop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32ProgramFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32UrlCache.h"
#include "platform/win32/Win32UrlHistory.h"
#include "program/App.h"
#include "program/CommandLineRun.h"
#include "view/MainView.h"

namespace {

// The runtime's own split of the command line ends the program's name at its first blank,
// which cuts an unquoted path with blanks, as older Run entries hold, in two.
std::string argumentsOfThisProgram() {
  char program[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  const char* line = GetCommandLineA();
  return program::argumentsAfterProgram(line ? line : "", std::string(program, length <= MAX_PATH ? length : 0));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace platform::win32;
  // An empty floppy or CD drive answers a listing with a failure, not a "No Disk" box that
  // would stall a hidden or scheduled run.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  Win32EventLoop loop;
  Win32Registry registry;
  Win32FileSystem files;
  Win32Shell shell;
  Win32System system;
  Win32UrlCache urlCache;
  Win32UrlHistory urlHistory;
  Win32Launcher launcher;
  Win32Desktop desktop;
  Win32Http http("Quellery", loop);
  Win32Dialogs dialogs;
  Win32ProgramFiles programFiles;
  // However the program ends, no icon of it stays in the notification area.
  system.beforeExit = [&shell] { shell.removeStrayIcons(); };
  platform::Platform os{loop, registry, files, shell, system, urlCache, urlHistory, launcher, desktop, &http, &dialogs, &programFiles};

  program::App app(os);
  // An administrator's switches run without any window and end with their exit code.
  const program::CommandLine command = program::parseCommandLine(argumentsOfThisProgram());
  if (command.action != program::CommandLine::Action::ShowWindow) return program::RunCommandLine(app, command);
  view::MainView view(app, instance);
  dialogs.owner = view.window();
  // A second instance ends inside Form_Load, before anything was shown.
  view.runFormLoad();

  // A run in progress keeps the program alive after the window was closed; it ends the
  // program itself when it is done.
  MSG msg;
  while (!(app.unloaded && !app.flags.cleaningInProgress) && !loop.quitRequested()) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  system.endProgram();
}

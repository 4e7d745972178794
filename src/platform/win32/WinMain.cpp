// Quellery.exe: the Windows platform, the program and its main window, and the loop
// that dispatches their events until the window is unloaded.
#include <windows.h>

#include "app/App.h"
#include "platform/win32/MainView.h"
#include "platform/win32/Win32EventLoop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"

// Services whose Windows side is still being written fall back to their inert stand-ins.
#if __has_include("platform/win32/Win32UrlCache.h")
#include "platform/win32/Win32UrlCache.h"
using UrlCacheImpl = platform::win32::Win32UrlCache;
#else
#include "platform/sim/SimUrlCache.h"
using UrlCacheImpl = platform::sim::SimUrlCache;
#endif
#if __has_include("platform/win32/Win32UrlHistory.h")
#include "platform/win32/Win32UrlHistory.h"
using UrlHistoryImpl = platform::win32::Win32UrlHistory;
#else
#include "platform/sim/SimUrlHistory.h"
using UrlHistoryImpl = platform::sim::SimUrlHistory;
#endif
#if __has_include("platform/win32/Win32Launcher.h")
#include "platform/win32/Win32Launcher.h"
using LauncherImpl = platform::win32::Win32Launcher;
#else
#include "platform/sim/SimLauncher.h"
using LauncherImpl = platform::sim::SimLauncher;
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace platform::win32;
  Win32EventLoop loop;
  Win32Registry registry;
  Win32FileSystem files;
  Win32Shell shell;
  Win32System system;
  UrlCacheImpl urlCache;
  UrlHistoryImpl urlHistory;
  LauncherImpl launcher;
  Win32Http http("Quellery");
  // However the program ends, no icon of it stays in the notification area.
  system.beforeExit = [&shell] { shell.removeStrayIcons(); };
  platform::Platform os{loop, registry, files, shell, system, urlCache, urlHistory, launcher, &http};

  app::App app(os);
  MainView view(app, instance);
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

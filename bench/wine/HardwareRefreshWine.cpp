// The time of one hardware page refresh under Wine, with the page's real windows built
// (hidden), so that changed labels are redrawn as in the program.
#include <windows.h>

#include <cstdio>

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32EventLoop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32UrlCache.h"
#include "platform/win32/Win32UrlHistory.h"
#include "program/App.h"
#include "sysinfo/HardwareInfo.h"
#include "view/MainView.h"

int main() {
  using namespace platform::win32;
  Win32EventLoop loop;
  Win32Registry registry;
  Win32FileSystem files;
  Win32Shell shell;
  Win32System system("Quellery.HardwareBench");
  Win32UrlCache urlCache;
  Win32UrlHistory urlHistory;
  Win32Launcher launcher;
  Win32Desktop desktop;
  platform::Platform os{loop, registry, files, shell, system, urlCache, urlHistory, launcher, desktop};
  program::App app(os);
  view::MainView view(app, GetModuleHandleA(nullptr));
  app.frm.fraHardware.zOrder();
  hardware::GetSystemInformation(app);

  constexpr int kRounds = 2000;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i) hardware::GetSystemInformation(app);
  QueryPerformanceCounter(&end);
  const double us = static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart) / kRounds;
  std::printf("hardware_refresh_us: %.2f (Wine)\n", us);
  return 0;
}

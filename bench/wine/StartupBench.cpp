// Start-up as a user sees it, from outside: process start to its first visible top-level
// window, for Quellery.exe and a bare window alternately (medians of several starts each).
// Every program is closed as a user closes it (WM_CLOSE, then its end awaited), so that no
// start pays for Wine tidying up after the last one, and the ratio is believed only when
// the bare window started after Quellery agrees with the bare window started after itself.
// A window that loads the common controls as Quellery does, and shows nothing of them, is
// timed in the same rounds: the floor of any window built of them, printed beside the ratio.
// Then the private memory of each once shown, and Quellery idle for ten seconds with the
// hardware page in front, announced by a line "idle: measuring" so that the caller can
// read the process's CPU time from outside (Wine tells no CPU times of another process).
//   StartupBench.exe QUELLERY.EXE BAREWINDOW.EXE COMMONCONTROLSWINDOW.EXE [STARTS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"

namespace {

using bench::median;
using bench::nowMs;

// How far the bare window's figure after Quellery may stray from its figure after itself.
constexpr double kBaselineTolerance = 0.30;

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK visibleOf(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct Started {
  PROCESS_INFORMATION pi = {};
  HWND window = nullptr;
  double ms = 0;
};

// Starts the program and returns once it shows a window (false after 20 s).
bool start(const char* exe, Started* started) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string line = std::string("\"") + exe + "\"";
  const double begin = nowMs();
  if (!CreateProcessA(exe, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &started->pi)) return false;
  Search search{started->pi.dwProcessId, nullptr};
  while (!search.found && nowMs() - begin < 20000) {
    EnumWindows(visibleOf, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  started->ms = nowMs() - begin;
  started->window = search.found;
  return search.found != nullptr;
}

// Closes the program as a user does and waits for it to end. A program that does not end
// is ended by force, and the bench fails: its next start would pay for the leftovers.
bool close(Started& started) {
  if (started.window) PostMessageA(started.window, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(started.pi.hProcess, 10000) == WAIT_OBJECT_0;
  if (!ended) {
    std::printf("a started program did not end within 10 s of WM_CLOSE\n");
    TerminateProcess(started.pi.hProcess, 1);
    WaitForSingleObject(started.pi.hProcess, 10000);
  }
  CloseHandle(started.pi.hProcess);
  CloseHandle(started.pi.hThread);
  started = Started{};
  return ended;
}

// One start and close, adding the time to `times`.
bool timeStart(const char* exe, std::vector<double>* times) {
  Started started;
  const bool shown = start(exe, &started);
  if (shown) times->push_back(started.ms);
  return close(started) && shown;
}

void printSamples(const char* what, const std::vector<double>& times) {
  std::printf("startup_samples: %s", what);
  for (double ms : times) std::printf(" %.0f", ms);
  std::printf("\n");
}

// Committed private memory of a process, summed over its address space: Wine reports no
// private bytes of another process through GetProcessMemoryInfo.
double committedPrivateMb(HANDLE process) {
  double bytes = 0;
  MEMORY_BASIC_INFORMATION region;
  for (char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
       at = static_cast<char*>(region.BaseAddress) + region.RegionSize)
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += static_cast<double>(region.RegionSize);
  return bytes / (1024.0 * 1024.0);
}

// Private memory of a shown program, a second after it showed (what it keeps, not what it
// briefly needed).
double privateMb(const char* exe) {
  Started started;
  double mb = -1;
  if (start(exe, &started)) {
    Sleep(1000);
    mb = committedPrivateMb(started.pi.hProcess);
  }
  close(started);
  return mb;
}

// The tree's last top-level child of the root is "Hardware Info".
bool showHardwarePage(HWND main) {
  HWND tree = GetDlgItem(main, 100);
  if (!tree) return false;
  auto next = [&](HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  };
  HTREEITEM item = next(next(nullptr, TVGN_ROOT), TVGN_CHILD);
  if (!item) return false;
  for (HTREEITEM sibling = next(item, TVGN_NEXT); sibling; sibling = next(sibling, TVGN_NEXT)) item = sibling;
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  HWND page = GetDlgItem(main, 119);
  return page && IsWindowVisible(page);
}

int measureIdle(const char* quellery) {
  Started started;
  if (!start(quellery, &started) || !showHardwarePage(started.window)) {
    std::printf("idle_cpu_pct: hardware page not shown\n");
    close(started);
    return 1;
  }
  Sleep(1000);
  DWORD code = 0;
  if (GetExitCodeProcess(started.pi.hProcess, &code) && code != STILL_ACTIVE) {
    std::printf("idle_cpu_pct: Quellery.exe ended with code 0x%lX on the hardware page\n", code);
    close(started);
    return 1;
  }
  std::printf("idle: measuring\n");
  Sleep(20000);  // ten seconds measured, with room for finding the process
  if (GetExitCodeProcess(started.pi.hProcess, &code) && code != STILL_ACTIVE) {
    std::printf("idle: Quellery.exe ended with code 0x%lX while idle\n", code);
    close(started);
    return 1;
  }
  return close(started) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: StartupBench QUELLERY.EXE BAREWINDOW.EXE COMMONCONTROLSWINDOW.EXE [STARTS]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // the caller reads the idle line as it comes
  const char* quellery = argv[1];
  const char* bare = argv[2];
  const char* commonControls = argv[3];
  const int starts = std::max(1, argc > 4 ? std::atoi(argv[4]) : 9);
  std::vector<double> unused, bareAfterBare, quelleryTimes, bareAfterQuellery, commonControlsTimes;
  // One start of each first, unmeasured: Wine's first start of a program loads its DLLs cold.
  if (!timeStart(quellery, &unused) || !timeStart(bare, &unused) || !timeStart(commonControls, &unused)) {
    std::printf("startup_ratio: a program did not show its window or did not close\n");
    return 1;
  }
  // Rounds of four, so that every figure sees the same load of a shared machine: the bare
  // window after a bare window, Quellery, the bare window after Quellery, the floor.
  for (int i = 0; i < starts; ++i)
    if (!timeStart(bare, &bareAfterBare) || !timeStart(quellery, &quelleryTimes) ||
        !timeStart(bare, &bareAfterQuellery) || !timeStart(commonControls, &commonControlsTimes))
      return 1;
  printSamples("bare window after itself", bareAfterBare);
  printSamples("Quellery", quelleryTimes);
  printSamples("bare window after Quellery", bareAfterQuellery);
  printSamples("window with the common controls", commonControlsTimes);
  const double own = median(bareAfterBare), q = median(quelleryTimes), b = median(bareAfterQuellery);
  std::printf("startup_ms: Quellery %.1f, bare window %.1f after it, %.1f after itself (medians of %d starts each)\n",
              q, b, own, starts);
  if (std::fabs(b - own) > kBaselineTolerance * own) {
    std::printf("startup_ratio: not measured: the bare window after Quellery (%.1f ms) is more than %.0f%% off "
                "its time after itself (%.1f ms)\n",
                b, kBaselineTolerance * 100, own);
    return 1;
  }
  std::printf("startup_ratio: %.2f (Quellery %.1f ms / bare window %.1f ms)\n", q / b, q, b);
  const double floor = median(commonControlsTimes);
  std::printf("startup_floor_ratio: %.2f (a window with the common controls loaded %.1f ms / bare window %.1f ms); "
              "Quellery over it: %.2f\n",
              floor / b, floor, b, q / floor);

  const double quelleryMb = privateMb(quellery), bareMb = privateMb(bare);
  std::printf("private_mb: Quellery %.1f, bare window %.1f, over the bare window %.1f\n", quelleryMb, bareMb,
              quelleryMb - bareMb);

  return measureIdle(quellery);
}

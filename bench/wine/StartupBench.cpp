// Start-up as a user sees it, from outside: process start to its first visible top-level
// window, for Quellery.exe and a bare window alternately (median of several starts each),
// then Quellery idle for ten seconds with the hardware page in front, announced by a line
// "idle: measuring" so that the caller can read the process's CPU time from outside (Wine
// tells no CPU times of another process).
//   StartupBench.exe QUELLERY.EXE BAREWINDOW.EXE [STARTS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

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

// Starts the program and returns once it shows a window (null after 20 s).
HWND startAndWait(const char* exe, PROCESS_INFORMATION* pi, double* ms) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string line = std::string("\"") + exe + "\"";
  const double start = nowMs();
  if (!CreateProcessA(exe, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, pi)) return nullptr;
  Search search{pi->dwProcessId, nullptr};
  while (!search.found && nowMs() - start < 20000) {
    EnumWindows(visibleOf, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  *ms = nowMs() - start;
  return search.found;
}

void end(PROCESS_INFORMATION* pi) {
  TerminateProcess(pi->hProcess, 0);
  WaitForSingleObject(pi->hProcess, 10000);
  CloseHandle(pi->hProcess);
  CloseHandle(pi->hThread);
  // Wine tidies up after the ended program (its windows, its tray icon) for a while; the
  // next start must not pay for that.
  Sleep(1000);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: StartupBench QUELLERY.EXE BAREWINDOW.EXE [STARTS]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // the caller reads the idle line as it comes
  const int starts = argc > 3 ? std::atoi(argv[3]) : 9;
  std::vector<double> quellery, bare;
  PROCESS_INFORMATION pi;
  double ms = 0;
  // One start of each first, unmeasured: Wine's first start of a program loads its DLLs cold.
  for (const char* exe : {argv[1], argv[2]})
    if (startAndWait(exe, &pi, &ms)) end(&pi);
  for (int i = 0; i < starts; ++i) {
    if (!startAndWait(argv[1], &pi, &ms)) return 1;
    quellery.push_back(ms);
    end(&pi);
    if (!startAndWait(argv[2], &pi, &ms)) return 1;
    bare.push_back(ms);
    end(&pi);
  }
  const double q = median(quellery), b = median(bare);
  std::printf("startup_ms: Quellery %.1f, bare window %.1f (medians of %d starts each)\n", q, b, starts);
  std::printf("startup_ratio: %.2f\n", q / b);

  HWND main = startAndWait(argv[1], &pi, &ms);
  if (!main || !showHardwarePage(main)) {
    std::printf("idle_cpu_pct: hardware page not shown\n");
    if (main) end(&pi);
    return 1;
  }
  Sleep(1000);
  DWORD code = 0;
  if (GetExitCodeProcess(pi.hProcess, &code) && code != STILL_ACTIVE) {
    std::printf("idle_cpu_pct: Quellery.exe ended with code 0x%lX on the hardware page\n", code);
    return 1;
  }
  std::printf("idle: measuring\n");
  Sleep(20000);  // ten seconds measured, with room for finding the process
  if (GetExitCodeProcess(pi.hProcess, &code) && code != STILL_ACTIVE)
    std::printf("idle: Quellery.exe ended with code 0x%lX while idle\n", code);
  end(&pi);
  return 0;
}

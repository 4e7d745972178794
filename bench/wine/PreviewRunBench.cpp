// The preview against the run, and the run against plain deletion, as an administrator
// meets them: "Quellery.exe /preview" and "Quellery.exe /clean" with only the temp item
// ticked, on a temp folder of 20,000 files and a tree 30 folders deep with a file in each,
// each a whole process from start to end (medians of several rounds). The floor is this
// program deleting the same files and folders itself with DeleteFileA and RemoveDirectoryA
// in the same prefix. The run is believed only when its report says every file was
// removed and the folder is empty, and when it took no less than half the floor. The cost
// of starting a Quellery that finds nothing ticked (a median of five) is printed beside them.
//   PreviewRunBench.exe QUELLERY.EXE TEMPFOLDER [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../tests/win32/UnixTools.h"
#include "BenchClock.h"

namespace {

using bench::median;
using bench::nowMs;

constexpr int kFiles = 20000;
constexpr int kDepth = 30;
const char* const kSettings = "Software\\Quellery\\Settings";
const char* const kTicks = "Software\\Quellery\\Settings\\LastHistory";

std::string fileName(const std::string& folder, int i) {
  char name[32];
  std::snprintf(name, sizeof name, "\\cache%05d.tmp", i);
  return folder + name;
}

bool writeTen(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, "0123456789", 10, &written, nullptr);
  CloseHandle(file);
  return true;
}

// The folders of the deep tree, outermost first: short names keep it within MAX_PATH.
std::vector<std::string> treeFolders(const std::string& folder) {
  std::vector<std::string> folders;
  std::string path = folder;
  for (int level = 0; level < kDepth; ++level) {
    char name[8];
    std::snprintf(name, sizeof name, "\\d%02d", level);
    folders.push_back(path += name);
  }
  return folders;
}

bool seed(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  if (!winetest::seedFiles(folder, "cache", kFiles)) return false;
  for (const std::string& level : treeFolders(folder))
    if (!CreateDirectoryA(level.c_str(), nullptr) || !writeTen(level + "\\f.tmp")) return false;
  return true;
}

// The floor: the same files and folders deleted by their paths, one call each.
double deletePlainly(const std::string& folder) {
  const double begin = nowMs();
  for (int i = 0; i < kFiles; ++i) DeleteFileA(fileName(folder, i).c_str());
  const std::vector<std::string> levels = treeFolders(folder);
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
    DeleteFileA((*level + "\\f.tmp").c_str());
    RemoveDirectoryA(level->c_str());
  }
  return nowMs() - begin;
}

bool treeGone(const std::string& folder) { return GetFileAttributesA(treeFolders(folder)[0].c_str()) == INVALID_FILE_ATTRIBUTES; }

int countFiles(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do n += !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  while (FindNextFileA(find, &data));
  FindClose(find);
  return n;
}

// Lines of the report whose Outcome column holds `outcome`.
int reportLines(const std::string& path, const std::string& outcome) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return -1;
  std::string text;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  const std::string needle = "\t" + outcome + "\t";
  int lines = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++lines;
  return lines;
}

// Runs Quellery with the switches to its end; its time, or a negative one when it did not
// end within ten minutes or ended with another code than `expectedCode`.
double timeProgram(const std::string& exe, const std::string& switches, DWORD expectedCode) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + exe + "\" " + switches;
  const double begin = nowMs();
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  const bool ended = WaitForSingleObject(process.hProcess, 600000) == WAIT_OBJECT_0;
  const double took = nowMs() - begin;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &code);
  if (!ended) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!ended || code != expectedCode) {
    std::printf("preview_vs_clean: %s ended %s (exit code %lu)\n", command.c_str(), ended ? "early" : "late",
                static_cast<unsigned long>(code));
    return -1;
  }
  return took;
}

void tickOnlyTheTempItem(bool tick) {
  RegDeleteKeyA(HKEY_CURRENT_USER, kTicks);
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettings);
  if (!tick) return;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kTicks, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, "chkWinSettings7", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  RegCloseKey(key);
}

struct Round {
  double preview = -1, run = -1, plainDelete = -1;
};

// One round: seeded, previewed (nothing may go), run (everything must go), seeded again
// and deleted plainly.
bool round(const std::string& exe, const std::string& temp, const std::string& reports, Round* out) {
  const std::string previewReport = reports + "\\preview.txt", runReport = reports + "\\run.txt";
  if (!seed(temp)) return std::printf("preview_vs_clean: the temp folder could not be seeded\n"), false;
  out->preview = timeProgram(exe, "/preview \"/report:" + previewReport + "\"", 0);
  if (out->preview < 0) return false;
  // Each file and each folder of the tree is a target of its own.
  const int targets = kFiles + 2 * kDepth;
  if (countFiles(temp) != kFiles || treeGone(temp) || reportLines(previewReport, "To remove") != targets)
    return std::printf("preview_vs_clean: the preview changed the folder or missed targets (%d files left, %d listed)\n",
                       countFiles(temp), reportLines(previewReport, "To remove")),
           false;
  out->run = timeProgram(exe, "/clean \"/report:" + runReport + "\"", 0);
  if (out->run < 0) return false;
  if (countFiles(temp) != 0 || !treeGone(temp) || reportLines(runReport, "Removed") != targets)
    return std::printf("preview_vs_clean: the run left %d files and reported %d removed\n", countFiles(temp),
                       reportLines(runReport, "Removed")),
           false;
  if (!seed(temp)) return false;
  out->plainDelete = deletePlainly(temp);
  return countFiles(temp) == 0 && treeGone(temp);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: PreviewRunBench QUELLERY.EXE TEMPFOLDER [ROUNDS]\n");
    return 2;
  }
  const std::string exe = argv[1], temp = argv[2];
  const int rounds = std::max(1, argc > 3 ? std::atoi(argv[3]) : 3);
  const std::string reports = temp + "-reports";
  CreateDirectoryA(reports.c_str(), nullptr);
  for (const char* name : {"TMP", "TEMP"}) SetEnvironmentVariableA(name, temp.c_str());

  tickOnlyTheTempItem(false);
  // The first start of a program in a prefix pays for Wine's own first steps: a median.
  std::vector<double> idles;
  for (int i = 0; i < 5; ++i) idles.push_back(timeProgram(exe, "/preview \"/report:" + reports + "\\idle.txt\"", 0));
  const double idle = *std::min_element(idles.begin(), idles.end()) < 0 ? -1 : median(idles);
  tickOnlyTheTempItem(true);
  std::vector<double> previews, runs, deletes;
  bool ok = idle >= 0;
  for (int i = 0; ok && i < rounds; ++i) {
    Round r;
    ok = round(exe, temp, reports, &r);
    if (!ok) break;
    previews.push_back(r.preview);
    runs.push_back(r.run);
    deletes.push_back(r.plainDelete);
  }
  tickOnlyTheTempItem(false);
  if (!ok) return 1;

  const double preview = median(previews), run = median(runs), plain = median(deletes);
  std::printf("preview_clean_plain_ms: /preview %.0f, /clean %.0f, DeleteFileA and RemoveDirectoryA of the same %.0f, "
              "a start with nothing ticked %.0f (medians of %d rounds, %d files and a tree %d deep)\n",
              preview, run, plain, idle, rounds, kFiles, kDepth);
  // A run faster than deleting the files plainly has not done its work: no ratio then.
  if (run < plain / 2) {
    std::printf("preview_vs_clean: not believed (the run took less than half a plain delete)\n");
    return 1;
  }
  std::printf("preview_vs_clean: %.3f\n", preview / run);
  std::printf("clean_vs_plain_delete: %.2f\n", run / plain);
  return 0;
}

// EraseFolder on a generated tree against `rm -rf` of an identical one, and its growth
// from N to 2N entries.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "erase/EraseFolder.h"
#include "platform/sim/SimMachine.h"
#include "program/App.h"

namespace {

using Clock = std::chrono::steady_clock;

// Three levels of folders, `files` files in every leaf folder.
void makeTree(const std::string& root, int top, int mid, int leaf, int files) {
  ::mkdir(root.c_str(), 0755);
  for (int a = 0; a < top; ++a) {
    const std::string l1 = root + "/level1_" + std::to_string(a);
    ::mkdir(l1.c_str(), 0755);
    for (int b = 0; b < mid; ++b) {
      const std::string l2 = l1 + "/level2_" + std::to_string(b);
      ::mkdir(l2.c_str(), 0755);
      for (int c = 0; c < leaf; ++c) {
        const std::string l3 = l2 + "/leaf_" + std::to_string(c);
        ::mkdir(l3.c_str(), 0755);
        for (int f = 0; f < files; ++f) {
          const int fd = ::open((l3 + "/cache_entry_" + std::to_string(f) + ".tmp").c_str(), O_WRONLY | O_CREAT, 0644);
          if (fd >= 0) {
            (void)::write(fd, "x", 1);
            ::close(fd);
          }
        }
      }
    }
  }
  ::sync();
}

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double timeErase(platform::sim::SimMachine& machine, program::App& app, int top) {
  makeTree(machine.hostRoot + "/C/Bench", top, 10, 10, 10);
  std::string path = "C:\\Bench";
  const auto start = Clock::now();
  erase::EraseFolder(app.run(), path, true, true);
  const double took = seconds(start);
  struct stat st;
  if (::stat((machine.hostRoot + "/C/Bench").c_str(), &st) == 0) std::fprintf(stderr, "tree not erased\n");
  return took;
}

double timeRm(const std::string& base, int top) {
  const std::string root = base + "/rmtree";
  makeTree(root, top, 10, 10, 10);
  const auto start = Clock::now();
  if (std::system(("rm -rf '" + root + "'").c_str()) != 0) std::fprintf(stderr, "rm failed\n");
  return seconds(start);
}

}  // namespace

int main() {
  platform::sim::SimMachine machine;
  program::App app(machine.platform());
  const int rounds = 3;
  double erase20 = 1e9, rm20 = 1e9, erase10 = 1e9;
  for (int i = 0; i < rounds; ++i) {
    erase20 = std::min(erase20, timeErase(machine, app, 20));  // 20,000 files, 2,000 leaf folders
    rm20 = std::min(rm20, timeRm(machine.hostRoot, 20));
    erase10 = std::min(erase10, timeErase(machine, app, 10));  // 10,000 files
  }
  std::printf("erase_20000_files_s: %.3f\n", erase20);
  std::printf("rm_rf_20000_files_s: %.3f\n", rm20);
  std::printf("erase_10000_files_s: %.3f\n", erase10);
  std::printf("erase_vs_rm_ratio: %.2f\n", erase20 / rm20);
  std::printf("erase_scaling_ratio: %.2f\n", erase20 / erase10);
  return 0;
}

// ShredFile on a 64 MB file against `dd` overwriting a file of the same size with a final
// fsync, in the same run on the same disk: overwriting should be bound by the disk. A shred
// also removes the file, and freeing 64 MB costs the file system as much again as the
// cut that precedes it: so the floor of a removal, dd and then rm, is printed too.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sim/SimMachine.h"
#include "program/App.h"
#include "shredder/ShredFile.h"
#include "shredder/ShredStream.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kBytes = 64u << 20;

void makeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  const std::string block(1 << 20, 'd');
  for (size_t done = 0; done < kBytes; done += block.size()) (void)::write(fd, block.data(), block.size());
  ::fsync(fd);
  ::close(fd);
}

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double timeShred(platform::sim::SimMachine& machine, program::App& app) {
  makeFile(machine.hostRoot + "/C/secret.bin");
  const auto start = Clock::now();
  const bool gone = shredder::ShredFile(app, "C:\\secret.bin", shredder::repetitionFactor(2));
  const double took = seconds(start);
  if (!gone) std::fprintf(stderr, "file not shredded\n");
  return took;
}

struct DdTimes {
  double dd = 0, ddThenRm = 0;
};

DdTimes timeDd(const std::string& base) {
  const std::string path = base + "/dd.bin";
  makeFile(path);
  const auto start = Clock::now();
  const std::string command = "dd if=/dev/zero of='" + path + "' bs=1M count=64 conv=notrunc,fsync status=none";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "dd failed\n");
  DdTimes took;
  took.dd = seconds(start);
  ::unlink(path.c_str());
  took.ddThenRm = seconds(start);
  return took;
}

}  // namespace

int main() {
  platform::sim::SimMachine machine;
  program::App app(machine.platform());
  double shred = 1e9, dd = 1e9, ddThenRm = 1e9;
  for (int round = 0; round < 5; ++round) {
    shred = std::min(shred, timeShred(machine, app));
    const DdTimes floor = timeDd(machine.hostRoot);
    dd = std::min(dd, floor.dd);
    ddThenRm = std::min(ddThenRm, floor.ddThenRm);
  }
  std::printf("shred_64mb_s: %.3f\n", shred);
  std::printf("dd_64mb_fsync_s: %.3f\n", dd);
  std::printf("dd_then_rm_64mb_s: %.3f\n", ddThenRm);
  std::printf("shred_vs_dd_ratio: %.2f\n", shred / dd);
  std::printf("shred_vs_dd_then_rm_ratio: %.2f\n", shred / ddThenRm);
  return 0;
}

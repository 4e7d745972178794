// The time of one hardware page refresh on the simulated machine: the 100 ms timer runs it
// ten times a second, so it must stay far below a millisecond.
#include <chrono>
#include <cstdio>

#include "platform/sim/SimMachine.h"
#include "program/App.h"
#include "sysinfo/HardwareInfo.h"

int main() {
  platform::sim::SimMachine machine;
  program::App app(machine.platform());
  constexpr int kRounds = 20000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) {
    machine.system.memory.availPhys = (100ull << 20) + static_cast<uint64_t>(i) * 4096;  // the figures move
    hardware::GetSystemInformation(app);
  }
  const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  std::printf("hardware_refresh_us: %.2f (host fake)\n", us / kRounds);
  return 0;
}

#include "platform/sim/SimSystem.h"

namespace platform::sim {

bool SimSystem::getVersion(OsVersion* out) {
  if (versionFails) return false;
  *out = version;
  return true;
}

void SimSystem::endProgram() {
  ended = true;
  throw ProgramEnded{};
}

}  // namespace platform::sim

#include <ctime>

namespace platform::sim {

bool SimSystem::memoryStatus(MemoryStatus* out) {
  if (memoryFails) return false;
  *out = memory;
  return true;
}

bool SimSystem::processorInfo(ProcessorInfo* out) {
  *out = processor;
  return true;
}

uint64_t SimSystem::fileTimeNow() {
  if (fixedFileTime) return fixedFileTime;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return (static_cast<uint64_t>(now.tv_sec) + 11644473600ull) * 10000000ull + static_cast<uint64_t>(now.tv_nsec) / 100;
}

}  // namespace platform::sim

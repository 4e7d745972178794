#include "sysinfo/MemInfo.h"

namespace hardware {

int64_t kilobytes(uint64_t bytes) {
  uint64_t whole = bytes / 1024;
  const uint64_t rest = bytes % 1024;
  if (rest > 512 || (rest == 512 && (whole & 1))) ++whole;
  return static_cast<int64_t>(whole);
}

bool GetMemoryStatus(platform::System& system, MemoryFigures* out) {
  platform::MemoryStatus status;
  if (!system.memoryStatus(&status)) return false;
  out->memoryLoad = status.memoryLoad;
  out->totalPhys = kilobytes(status.totalPhys);
  out->availPhys = kilobytes(status.availPhys);
  out->totalPageFile = kilobytes(status.totalPageFile);
  out->availPageFile = kilobytes(status.availPageFile);
  out->totalVirtual = kilobytes(status.totalVirtual);
  out->availVirtual = kilobytes(status.availVirtual);
  return true;
}

}  // namespace hardware

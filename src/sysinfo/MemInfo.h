#pragma once
// modMemInfo: the memory figures of the hardware page.
#include <cstdint>

#include "platform/System.h"

namespace hardware {

// Kilobytes. 64 bits wide: memory of 2 GB and more, and a 64-bit address space, keep their
// true size instead of wrapping negative.
struct MemoryFigures {
  int64_t memoryLoad = 0;  // percent, not shown
  int64_t totalPhys = 0, availPhys = 0, totalPageFile = 0, availPageFile = 0, totalVirtual = 0, availVirtual = 0;
};

// Bytes to kilobytes, to the nearest whole number, halves to the even neighbour.
int64_t kilobytes(uint64_t bytes);

// False when the system gave no figures.
bool GetMemoryStatus(platform::System& system, MemoryFigures* out);

}  // namespace hardware

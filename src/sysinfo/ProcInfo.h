#pragma once
// modProcInfo: the processor facts of the hardware page.
#include <cstdint>
#include <string>

#include "platform/System.h"

namespace hardware {

struct ProcessorFigures {
  int64_t pageSize = 0;
  std::string lowestAddress, highestAddress;  // hexadecimal
  int64_t processors = 0;
  int64_t granularity = 0;
};

bool GetProcessorInfo(platform::System& system, ProcessorFigures* out);

}  // namespace hardware

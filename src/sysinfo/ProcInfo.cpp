#include "sysinfo/ProcInfo.h"

#include "sysinfo/NumberText.h"

namespace hardware {

bool GetProcessorInfo(platform::System& system, ProcessorFigures* out) {
  platform::ProcessorInfo info;
  if (!system.processorInfo(&info)) return false;
  out->pageSize = info.pageSize;
  out->lowestAddress = hexText(info.minimumApplicationAddress);
  out->highestAddress = hexText(info.maximumApplicationAddress);
  out->processors = info.numberOfProcessors;
  out->granularity = info.allocationGranularity;
  return true;
}

}  // namespace hardware

#pragma once
#include <string>

#include "platform/System.h"

namespace platform::sim {

class SimSystem : public System {
 public:
  bool getVersion(OsVersion* out) override;
  bool anotherInstanceRunning() override { return otherInstance; }
  std::string programFolder() override { return programDir; }
  std::string tempPath() override { return temp; }
  [[noreturn]] void endProgram() override;
  bool memoryStatus(MemoryStatus* out) override;
  bool processorInfo(ProcessorInfo* out) override;
  uint64_t fileTimeNow() override;

  OsVersion version{5, 1, 2600, osplatform::WindowsNT, "Service Pack 2"};
  bool versionFails = false;
  bool otherInstance = false;
  bool ended = false;
  std::string programDir = "C:\\Program Files\\Quellery";
  std::string temp = "C:\\WINDOWS\\TEMP\\";
  // A 256 MB machine with a 32-bit address space, unless a test says otherwise.
  MemoryStatus memory{40, 256ull << 20, 100ull << 20, 600ull << 20, 400ull << 20, 2048ull << 20, 2000ull << 20};
  ProcessorInfo processor{4096, 0x10000, 0x7FFEFFFF, 1, 65536};
  bool memoryFails = false;
  // The host's clock, which stamps the simulated files too; a test may stop it here.
  uint64_t fixedFileTime = 0;
};

}  // namespace platform::sim

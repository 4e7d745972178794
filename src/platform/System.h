#pragma once
// Process and operating-system facts.
#include <cstdint>
#include <string>

namespace platform {

namespace osplatform {
constexpr uint32_t Win32s = 0, Windows9x = 1, WindowsNT = 2;
}

struct OsVersion {
  uint32_t major = 0, minor = 0, build = 0, platformId = 0;
  std::string servicePack;
};

// Memory figures in bytes (GlobalMemoryStatusEx, or GlobalMemoryStatus where that is missing).
struct MemoryStatus {
  uint32_t memoryLoad = 0;  // percent
  uint64_t totalPhys = 0, availPhys = 0, totalPageFile = 0, availPageFile = 0, totalVirtual = 0,
           availVirtual = 0;
};

// GetSystemInfo's processor facts.
struct ProcessorInfo {
  uint32_t pageSize = 0;
  uint64_t minimumApplicationAddress = 0, maximumApplicationAddress = 0;
  uint32_t numberOfProcessors = 0;
  uint32_t allocationGranularity = 0;
};

// Raised by endProgram() where the process cannot simply stop (the simulated machine).
struct ProgramEnded {};

class System {
 public:
  virtual ~System() = default;
  virtual bool getVersion(OsVersion* out) = 0;  // GetVersionExA
  // True when an earlier instance of the program runs; the first caller claims the name.
  virtual bool anotherInstanceRunning() = 0;
  virtual std::string programFolder() = 0;  // the folder of the running executable
  virtual std::string tempPath() = 0;       // GetTempPathA
  virtual bool memoryStatus(MemoryStatus* out) = 0;
  virtual bool processorInfo(ProcessorInfo* out) = 0;
  // The current time as a FILETIME (100 ns since 1601, UTC), the clock of file stamps.
  virtual uint64_t fileTimeNow() = 0;
  // Ends the process at once, without unloading anything (VB's End).
  [[noreturn]] virtual void endProgram() = 0;
};

}  // namespace platform

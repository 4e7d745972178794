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

// GetLocalTime: the wall clock of the machine.
struct LocalTime {
  int year = 0, month = 0, day = 0;  // month 1 to 12
  int dayOfWeek = 0;                 // 0 Sunday to 6 Saturday
  int hour = 0, minute = 0, second = 0;
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
  virtual LocalTime localTime() = 0;       // GetLocalTime
  // Ends the process at once, without unloading anything (VB's End).
  [[noreturn]] virtual void endProgram() = 0;
};

}  // namespace platform

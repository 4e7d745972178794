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
// A locally unique identifier, as LookupPrivilegeValueA fills it.
struct Luid {
  uint32_t lowPart = 0;
  int32_t highPart = 0;
};
using TokenHandle = std::uintptr_t;

namespace exitflag {
constexpr uint32_t Reboot = 2, Force = 4;  // EWX_REBOOT, EWX_FORCE
}
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
  // Marks this instance as a command-line run (a logon script's /clean) for as long as it
  // lives, so that a copy starting meanwhile knows to wait rather than give way.
  virtual void markCommandLineRun() = 0;
  // Where the earlier instance is a command-line run: waits up to `maxMs` for it to end and
  // claims the name. False when it is not one, or still runs after `maxMs`.
  virtual bool waitOutCommandLineRun(uint32_t maxMs) = 0;
  virtual std::string programFolder() = 0;  // the folder of the running executable
  virtual std::string programFile() = 0;    // the running executable's full path
  virtual std::string tempPath() = 0;       // GetTempPathA
  virtual bool memoryStatus(MemoryStatus* out) = 0;
  virtual bool processorInfo(ProcessorInfo* out) = 0;
  // The current time as a FILETIME (100 ns since 1601, UTC), the clock of file stamps.
  virtual uint64_t fileTimeNow() = 0;
  virtual std::string programName() = 0;    // the executable's base name, without ".exe"
  virtual uint32_t currentProcessId() = 0;  // GetCurrentProcessId
  // RegisterServiceProcess, which only Windows 95, 98 and ME have: type 1 takes the process
  // off the task list, 0 puts it back. False where Windows lacks it or refuses.
  virtual bool registerServiceProcess(uint32_t processId, uint32_t type) = 0;

  // The access token of this process (OpenProcessToken), its privileges by name
  // (LookupPrivilegeValueA, an empty system name is the local one), and enabling or
  // disabling one of them (AdjustTokenPrivileges, the previous state going to a record of
  // `previousStateLength` bytes).
  virtual bool openProcessToken(uint32_t access, TokenHandle* token) = 0;
  virtual bool lookupPrivilegeValue(const std::string& systemName, const std::string& name, Luid* luid) = 0;
  virtual bool adjustTokenPrivilege(TokenHandle token, bool disableAll, const Luid& luid, uint32_t attributes,
                                    uint32_t previousStateLength) = 0;
  virtual void closeToken(TokenHandle token) = 0;
  // ExitWindowsEx: asks Windows to end the session (log off, restart) with the EWX_ flags.
  virtual bool exitWindows(uint32_t flags, uint32_t reason) = 0;

  virtual LocalTime localTime() = 0;       // GetLocalTime
  // Ends the process at once, without unloading anything (VB's End).
  [[noreturn]] virtual void endProgram() = 0;
};

}  // namespace platform

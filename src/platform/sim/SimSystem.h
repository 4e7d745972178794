#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/System.h"

namespace platform::sim {

class SimSystem : public System {
 public:
  bool getVersion(OsVersion* out) override;
  bool anotherInstanceRunning() override { return otherInstance; }
  void markCommandLineRun() override { markedCommandLineRun = true; }
  // The other instance, when a command-line run, ends `commandLineRunLeftMs` from now.
  bool waitOutCommandLineRun(uint32_t maxMs) override;
  std::string programFolder() override { return programDir; }
  std::string programFile() override { return programDir + "\\" + programFileName; }
  std::string tempPath() override { return temp; }
  std::string programName() override { return exeName; }
  uint32_t currentProcessId() override { return processId; }
  bool registerServiceProcess(uint32_t processId, uint32_t type) override;
  bool openProcessToken(uint32_t access, TokenHandle* token) override;
  bool lookupPrivilegeValue(const std::string& systemName, const std::string& name, Luid* luid) override;
  bool adjustTokenPrivilege(TokenHandle token, bool disableAll, const Luid& luid, uint32_t attributes,
                            uint32_t previousStateLength) override;
  void closeToken(TokenHandle token) override;
  // Records the request and does nothing else: the simulated machine never restarts.
  bool exitWindows(uint32_t flags, uint32_t reason) override;
  [[noreturn]] void endProgram() override;
  // The wall clock moves with the machine's virtual clock from the time last set.
  LocalTime localTime() override;
  void setLocalTime(const LocalTime& time);
  EventLoop* clock = nullptr;
  bool memoryStatus(MemoryStatus* out) override;
  bool processorInfo(ProcessorInfo* out) override;
  uint64_t fileTimeNow() override;

  OsVersion version{5, 1, 2600, osplatform::WindowsNT, "Service Pack 2"};
  bool versionFails = false;
  bool otherInstance = false;
  bool otherIsCommandLineRun = false;
  uint32_t commandLineRunLeftMs = 0;
  uint32_t waitedForOtherMs = 0;
  bool markedCommandLineRun = false;
  bool ended = false;
  std::string programDir = "C:\\Program Files\\Quellery";
  std::string exeName = "Quellery";
  std::string programFileName = "Quellery.exe";
  std::string temp = "C:\\WINDOWS\\TEMP\\";
  // A 256 MB machine with a 32-bit address space, unless a test says otherwise.
  MemoryStatus memory{40, 256ull << 20, 100ull << 20, 600ull << 20, 400ull << 20, 2048ull << 20, 2000ull << 20};
  ProcessorInfo processor{4096, 0x10000, 0x7FFEFFFF, 1, 65536};
  bool memoryFails = false;
  // The host's clock, which stamps the simulated files too; a test may stop it here.
  uint64_t fixedFileTime = 0;
  uint32_t processId = 1234;

  // Windows 95, 98 and ME have RegisterServiceProcess; while registered the process is
  // off the task list.
  bool hasServiceProcesses = false;
  bool onTaskList = true;

  // The process, token and session calls in the order they came, one readable line each
  // ("ExitWindowsEx 6 0"), and a hook that sees each line as it is made.
  std::vector<std::string> calls;
  std::function<void(const std::string&)> onCall;

 private:
  void record(const std::string& line);

 private:
  LocalTime setTime_{2026, 12, 8, 2, 9, 0, 0};  // a Tuesday
  uint32_t setAtTick_ = 0;
  bool anchored_ = false;  // setAtTick_ read from the clock
};

}  // namespace platform::sim

#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/System.h"

namespace platform::win32 {

class Win32System : public System {
 public:
  // `instanceName` names the mutex that tells instances apart.
  explicit Win32System(std::string instanceName = "Quellery.SingleInstance");
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  bool getVersion(OsVersion* out) override;
  bool anotherInstanceRunning() override;
  void markCommandLineRun() override;
  bool waitOutCommandLineRun(uint32_t maxMs) override;
  std::string programFolder() override;  // without a trailing backslash
  std::string programFile() override;
  std::string tempPath() override;
  std::string programName() override;
  uint32_t currentProcessId() override;
  bool registerServiceProcess(uint32_t processId, uint32_t type) override;
  bool openProcessToken(uint32_t access, TokenHandle* token) override;
  bool lookupPrivilegeValue(const std::string& systemName, const std::string& name, Luid* luid) override;
  bool adjustTokenPrivilege(TokenHandle token, bool disableAll, const Luid& luid, uint32_t attributes,
                            uint32_t previousStateLength) override;
  void closeToken(TokenHandle token) override;
  bool exitWindows(uint32_t flags, uint32_t reason) override;
  [[noreturn]] void endProgram() override;
  LocalTime localTime() override;
  bool memoryStatus(MemoryStatus* out) override;
  bool processorInfo(ProcessorInfo* out) override;
  uint64_t fileTimeNow() override;

  // Runs just before the process ends (the shell removes a tray icon left behind).
  std::function<void()> beforeExit;

 private:
  // Held by a command-line run for as long as it lives.
  std::string commandLineMarkName() const;

  std::string instanceName_;
  HANDLE mutex_ = nullptr;
  HANDLE commandLineMark_ = nullptr;
  bool checked_ = false;
  bool another_ = false;
};

}  // namespace platform::win32

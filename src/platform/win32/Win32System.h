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
  std::string programFolder() override;  // without a trailing backslash
  std::string tempPath() override;
  [[noreturn]] void endProgram() override;
  bool memoryStatus(MemoryStatus* out) override;
  bool processorInfo(ProcessorInfo* out) override;
  uint64_t fileTimeNow() override;

  // Runs just before the process ends (the shell removes a tray icon left behind).
  std::function<void()> beforeExit;

 private:
  std::string instanceName_;
  HANDLE mutex_ = nullptr;
  bool checked_ = false;
  bool another_ = false;
};

}  // namespace platform::win32

#pragma once
#include <string>

#include "platform/System.h"

namespace platform::sim {

class SimSystem : public System {
 public:
  bool getVersion(OsVersion* out) override;
  bool anotherInstanceRunning() override { return otherInstance; }
  std::string programFolder() override { return programDir; }
  std::string programFile() override { return programDir + "\\" + programName; }
  std::string tempPath() override { return temp; }
  [[noreturn]] void endProgram() override;

  OsVersion version{5, 1, 2600, osplatform::WindowsNT, "Service Pack 2"};
  bool versionFails = false;
  bool otherInstance = false;
  bool ended = false;
  std::string programDir = "C:\\Program Files\\Quellery";
  std::string programName = "Quellery.exe";
  std::string temp = "C:\\WINDOWS\\TEMP\\";
};

}  // namespace platform::sim

#pragma once
#include <string>

#include "platform/EventLoop.h"
#include "platform/System.h"

namespace platform::sim {

class SimSystem : public System {
 public:
  bool getVersion(OsVersion* out) override;
  bool anotherInstanceRunning() override { return otherInstance; }
  std::string programFolder() override { return programDir; }
  std::string tempPath() override { return temp; }
  [[noreturn]] void endProgram() override;
  // The wall clock moves with the machine's virtual clock from the time last set.
  LocalTime localTime() override;
  void setLocalTime(const LocalTime& time);
  EventLoop* clock = nullptr;

  OsVersion version{5, 1, 2600, osplatform::WindowsNT, "Service Pack 2"};
  bool versionFails = false;
  bool otherInstance = false;
  bool ended = false;
  std::string programDir = "C:\\Program Files\\Quellery";
  std::string temp = "C:\\WINDOWS\\TEMP\\";

 private:
  LocalTime setTime_{2026, 12, 8, 2, 9, 0, 0};  // a Tuesday
  uint32_t setAtTick_ = 0;
  bool anchored_ = false;  // setAtTick_ read from the clock
};

}  // namespace platform::sim

#include "platform/sim/SimSystem.h"

#include <ctime>

namespace platform::sim {

bool SimSystem::getVersion(OsVersion* out) {
  if (versionFails) return false;
  *out = version;
  return true;
}

void SimSystem::endProgram() {
  ended = true;
  throw ProgramEnded{};
}

void SimSystem::setLocalTime(const LocalTime& time) {
  setTime_ = time;
  setAtTick_ = clock ? clock->tickCount() : 0;
  anchored_ = true;
}

LocalTime SimSystem::localTime() {
  if (!anchored_) setLocalTime(setTime_);
  std::tm start = {};
  start.tm_year = setTime_.year - 1900;
  start.tm_mon = setTime_.month - 1;
  start.tm_mday = setTime_.day;
  start.tm_hour = setTime_.hour;
  start.tm_min = setTime_.minute;
  start.tm_sec = setTime_.second;
  const uint32_t elapsedMs = clock ? clock->tickCount() - setAtTick_ : 0;
  const std::time_t now = ::timegm(&start) + static_cast<std::time_t>(elapsedMs / 1000);
  std::tm t = {};
  ::gmtime_r(&now, &t);
  return LocalTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_wday, t.tm_hour, t.tm_min, t.tm_sec};
}

}  // namespace platform::sim

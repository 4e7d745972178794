#include "platform/sim/SimSystem.h"

#include <ctime>

namespace platform::sim {

namespace {
constexpr TokenHandle kToken = 0x7A;
constexpr Luid kShutdownLuid{19, 0};  // what Windows NT answers for SeShutdownPrivilege
}  // namespace

bool SimSystem::getVersion(OsVersion* out) {
  if (versionFails) return false;
  *out = version;
  return true;
}

void SimSystem::record(const std::string& line) {
  calls.push_back(line);
  if (onCall) onCall(line);
}

bool SimSystem::registerServiceProcess(uint32_t id, uint32_t type) {
  record("RegisterServiceProcess " + std::to_string(id) + " " + std::to_string(type));
  if (!hasServiceProcesses || id != processId) return false;
  onTaskList = type == 0;
  return true;
}

bool SimSystem::openProcessToken(uint32_t access, TokenHandle* token) {
  record("OpenProcessToken " + std::to_string(access));
  *token = kToken;
  return true;
}

bool SimSystem::lookupPrivilegeValue(const std::string& systemName, const std::string& name, Luid* luid) {
  record("LookupPrivilegeValue \"" + systemName + "\" " + name);
  if (name != "SeShutdownPrivilege") return false;
  *luid = kShutdownLuid;
  return true;
}

bool SimSystem::adjustTokenPrivilege(TokenHandle token, bool disableAll, const Luid& luid, uint32_t attributes,
                                     uint32_t previousStateLength) {
  record("AdjustTokenPrivileges " + std::string(token == kToken ? "token" : "other") + " " +
         (disableAll ? "true" : "false") + " " + std::to_string(luid.lowPart) + ":" + std::to_string(luid.highPart) +
         " " + std::to_string(attributes) + " " + std::to_string(previousStateLength));
  return token == kToken;
}

void SimSystem::closeToken(TokenHandle token) {
  record(std::string("CloseHandle ") + (token == kToken ? "token" : "other"));
}

bool SimSystem::exitWindows(uint32_t flags, uint32_t reason) {
  record("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason));
  return true;
}

bool SimSystem::waitOutCommandLineRun(uint32_t maxMs) {
  if (!otherInstance) return true;
  if (!otherIsCommandLineRun) return false;
  if (commandLineRunLeftMs > maxMs) {
    waitedForOtherMs = maxMs;
    return false;
  }
  waitedForOtherMs = commandLineRunLeftMs;
  otherInstance = false;
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

#include <ctime>

namespace platform::sim {

bool SimSystem::memoryStatus(MemoryStatus* out) {
  if (memoryFails) return false;
  *out = memory;
  return true;
}

bool SimSystem::processorInfo(ProcessorInfo* out) {
  *out = processor;
  return true;
}

uint64_t SimSystem::fileTimeNow() {
  if (fixedFileTime) return fixedFileTime;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return (static_cast<uint64_t>(now.tv_sec) + 11644473600ull) * 10000000ull + static_cast<uint64_t>(now.tv_nsec) / 100;
}

}  // namespace platform::sim

#include "erase/WalkRules.h"

#include "erase/ActivityLog.h"
#include "erase/FolderPaths.h"
#include "erase/Plan.h"
#include "erase/RunContext.h"

namespace erase {

void yieldOnce(const erase::RunContext& run) {
  constexpr uint32_t kUnattendedYieldEvery = 32;
  if (run.flags.unattended && ++run.flags.yieldsPassedBy < kUnattendedYieldEvery) return;
  run.flags.yieldsPassedBy = 0;
  try {
    run.os.loop.doEvents();
  } catch (const std::exception&) {
  }
}

bool aborted(const erase::RunContext& run) { return run.flags.abort; }

namespace {

bool wildcardMatch(const char* mask, const char* name) {
  const char* starMask = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask && (*mask == '?' || platform::upperCase(*mask) == platform::upperCase(*name))) {
      ++mask;
      ++name;
    } else if (starMask) {
      mask = starMask;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == 0;
}

}  // namespace

bool longNameMatches(const std::string& mask, const std::string& name) {
  return mask == "*.*" || wildcardMatch(mask.c_str(), name.c_str());
}

std::string nameKey(const std::string& name) { return platform::upperCased(name); }

void logSkipped(const std::string& path, const char* reason) {
  LogActivity(path + " **** skipped: " + reason, ActivityTimeStamp());
}

}  // namespace erase

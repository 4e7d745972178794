#include "platform/sim/SimSystem.h"

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

}  // namespace platform::sim

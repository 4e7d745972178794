#pragma once
#include <cstdint>
#include <string>

namespace engine {

// The process-wide flags that coordinate a run with Stop Clean, the panic key and closing.
struct RunFlags {
  bool abort = false;
  bool cleaningInProgress = false;
  bool rebootAfterCleaning = false;
  bool exitAfterCleaning = false;
  int16_t progress = 0;  // progress cells filled beyond cell 0
  // Set by an item that refused its work ("Skipped: ..."): the run shows it in place of
  // "Done...", since a refusal is no success. Cleared before each item.
  std::string skipped;
};

}  // namespace engine

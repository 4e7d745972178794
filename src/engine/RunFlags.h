#pragma once
#include <cstdint>

#include "erase/LeftBehind.h"

namespace engine {

// The process-wide flags that coordinate a run with Stop Clean, the panic key and closing.
struct RunFlags {
  bool abort = false;
  bool cleaningInProgress = false;
  bool rebootAfterCleaning = false;
  bool exitAfterCleaning = false;
  int16_t progress = 0;  // progress cells filled beyond cell 0
  erase::LeftBehind leftBehind;  // what the current item's walks could not remove
};

}  // namespace engine

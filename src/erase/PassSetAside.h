#pragma once
#include <string>

#include "erase/LeftBehind.h"
#include "erase/Plan.h"

namespace erase {

struct RunFlags;

// Sets the pass aside while the program answers the user inside one of its yields: what a
// click, a timer or a key starts there is no part of the pass, so it acts for real (a
// setting saved, the panic's own cleaning) and records nowhere.
class PassSetAside {
 public:
  explicit PassSetAside(RunFlags& flags);
  ~PassSetAside();
  PassSetAside(const PassSetAside&) = delete;
  PassSetAside& operator=(const PassSetAside&) = delete;

 private:
  RunFlags& flags_;
  bool collecting_;
  ItemPlan* plan_;
  // The item under way keeps its own count of what it left, and its own verdict.
  LeftBehind leftBehind_;
  std::string skipped_;
  bool inMachineWideFolder_;
};

}  // namespace erase

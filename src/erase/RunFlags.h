#pragma once
#include <cstdint>
#include <string>

#include "erase/LeftBehind.h"
#include "erase/Plan.h"

namespace erase {

// The process-wide flags that coordinate a run with Stop Clean, the panic key and closing.
struct RunFlags {
  bool abort = false;
  bool cleaningInProgress = false;
  bool rebootAfterCleaning = false;
  bool exitAfterCleaning = false;
  int16_t progress = 0;  // progress cells filled beyond cell 0
  // Windows is ending the session: a pass still under way cleans on without its pauses.
  bool sessionEnding = false;
  // Nobody watches the pass (the command line): it needs none of the pauses meant for the eye.
  bool unattended = false;
  // Yields such a pass has let pass since its last: with no window to repaint and no Stop
  // to click, it answers Windows (the session ending) on every 32nd yield, a few
  // milliseconds apart, instead of paying an event-loop pass for every file.
  uint32_t yieldsPassedBy = 0;
  // Catalogue position of the pass's next item, shared so that a pass finished inside
  // another (the session ending during a run) is not cleaned twice by the outer one.
  int16_t nextItem = 0;
  erase::LeftBehind leftBehind;  // what the current item's walks could not remove
  // Set by an item that refused its work ("Skipped: ...") or gave up on it ("Failed: ..."):
  // the run shows it in place of "Done...", since neither is a success. Cleared before each
  // item.
  std::string skipped;
  // The pass only collects what its items would remove: nothing on the machine changes.
  // Set aside while the program answers the user inside the pass's yields.
  bool collecting = false;
  // A collection (a preview) is under way, whether or not set aside for the moment.
  bool collectionUnderWay = false;
  // The work under way is in a folder the machine-wide registry named: no file there is
  // marked to go at the next restart, since another user could turn a folder above it into
  // a link before Windows deletes by its path.
  bool inMachineWideFolder = false;
  // Passes over each file a walk or a single-file removal deletes, overwritten through the
  // handle that deletes it (erase/OverwriteRemoval.h); 0 deletes without overwriting. Set
  // from the settings for a cleaning pass only.
  int overwritePasses = 0;
  // The item being walked records its targets here; null outside a pass.
  erase::ItemPlan* plan = nullptr;
};

// Holds a flag set for a scope, cleared however the scope is left (the program's end included).
class FlagHeld {
 public:
  explicit FlagHeld(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagHeld() { flag_ = false; }
  FlagHeld(const FlagHeld&) = delete;
  FlagHeld& operator=(const FlagHeld&) = delete;

 private:
  bool& flag_;
};

}  // namespace erase

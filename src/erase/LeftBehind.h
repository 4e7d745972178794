#pragma once
// What an item could not remove, counted by why (a walk's) or by kind (anything else that
// failed), so that a run never says "Done..." over things the user asked to clean that are
// still there.
#include <array>
#include <string>

#include "erase/Plan.h"

namespace erase {

struct LeftBehind {
  unsigned tooDeep = 0;         // beyond MAX_PATH where only paths reach (Windows 95, 98, ME)
  unsigned inUse = 0;           // open in another program
  unsigned hiddenOrSystem = 0;  // kept by the walk's rules
  unsigned readOnly = 0;        // read-only, where the rules let the deletion fail
  unsigned denied = 0;          // refused for any other reason
  unsigned links = 0;           // links are never followed nor removed
  unsigned atRestart = 0;       // in use, marked to go when Windows next starts
  unsigned othersFolders = 0;   // folders named for every user, which may be another user's
  // Targets that failed outside a walk, by kind: a bin not emptied, a registry value.
  std::array<unsigned, kTargetKinds> failed{};
  // Files removed but not overwritten though the run overwrites (a second name, in use,
  // compressed): gone, so not in total(), yet the closing line must not pass over them.
  unsigned notOverwritten = 0;

  unsigned total() const;
  void add(const LeftBehind& other);
  void countFailed(TargetKind kind) { ++failed[static_cast<size_t>(kind)]; }
  // "3: 2 in use, 1 link"; empty when nothing was left.
  std::string describe() const;
  // The run's line after an item: "Done..." when nothing was left, "Done, 2 files go at the
  // next restart" when all that was left goes then, else "Done, but left " and describe();
  // followed by "; 2 files removed but not overwritten" when some were.
  std::string closingLine() const;
};

}  // namespace erase

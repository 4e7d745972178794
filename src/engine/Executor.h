#pragma once
// The one executor of the catalogue: every item of a run, a preview, the panic's or the
// shutdown's pass and the command line's clean goes through it.
#include <cstdint>
#include <string>

#include "engine/Action.h"
#include "engine/Catalogue.h"
#include "erase/Plan.h"
#include "erase/RunContext.h"

namespace engine {

// A preview collects what a clean would remove and changes nothing; a clean removes it.
enum class Mode { Preview, Clean };

// Carries out one action. What it throws halfway is reported and recorded as the item's
// failure with its reason; nothing escapes. False when the item must stop: a precondition
// that does not hold, or could not be judged.
bool execute(const Action& action, const erase::RunContext& run, Mode mode);

// One item: each action in turn, whatever became of the one before, unless a precondition
// stops it; then (cleaning) the item's line in the activity log. The item's targets go to `run.flags.plan`.
void executeItem(const CleaningItem& item, const erase::RunContext& run, Mode mode);

// What the window does around each item of a pass.
class PassWatcher {
 public:
  virtual bool takesPart(const CleaningItem& item) = 0;
  virtual void itemStarts(int position, const CleaningItem& item) = 0;
  // `closingLine` says how the item ended: "Done...", "Skipped: ...", "Done, but left ...".
  virtual void itemEnds(const CleaningItem& item, const std::string& closingLine) = 0;

 protected:
  ~PassWatcher() = default;
};

// An empty report with room for every item, so that an item's place in it stays put while
// a pass nested in its yields adds the items after it.
erase::Plan freshReport();

// The ticked items from catalogue position `next` on, each recorded in `report`. `next` is
// moved on before an item runs: a pass nested in the item's yields (the session ending)
// goes on from the item after it, and the outer pass then finds nothing left to do. Stop
// (the abort flag) leaves the remaining items untouched.
void runItems(const erase::RunContext& run, Mode mode, int16_t& next, erase::Plan& report, PassWatcher& watcher);

}  // namespace engine

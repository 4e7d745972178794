#pragma once
// What a cleaning item removes, told before (the preview) and after (the report) it does.
//
// An item walks its sources once, the same way whether it only collects or carries out:
// each primitive that would remove, overwrite or change something records the target in
// the run's current ItemPlan. While the run collects, the primitive records the target as
// Planned and changes nothing; while it carries out, it acts through its checked handle and
// records what the target came to. So a preview cannot promise what the run does otherwise.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace erase {

struct RunFlags;

enum class TargetKind {
  File, Folder, RegistryKey, RegistryValue, Cookie, HistoryEntry, CacheEntry, Clipboard, RecycleBin, Setting, FormEntry,
  Item  // the item's own work, named when it failed halfway; stays last
};
constexpr size_t kTargetKinds = static_cast<size_t>(TargetKind::Item) + 1;

enum class Outcome {
  Planned,    // collected, nothing done
  Removed,    // gone (or overwritten, emptied, changed as the item says)
  Failed,     // the removal failed; `reason` says why
  Refused,    // a guard kept it (a link, a hidden file, an unsafe folder); `reason` says why
  AtRestart,  // in use now, marked to go when Windows restarts
  Shared,     // collected, and removed with an earlier item; `reason` names it
  Kept,       // spared because the user keeps it (a cookie of a kept site)
};

struct Target {
  TargetKind kind = TargetKind::File;
  std::string where;  // a path, "HKEY_CURRENT_USER\key\value", a URL, "C:\" for a recycle bin
  uint64_t bytes = 0;
  Outcome outcome = Outcome::Planned;
  std::string reason;
  std::string host = {};  // a cookie's host, which decides whether its site is kept
};

// One item's targets, in the order they were met.
struct ItemPlan {
  int position = -1;  // in the catalogue
  std::string caption;
  std::vector<Target> targets;

  unsigned count(Outcome outcome) const;
  unsigned count(TargetKind kind) const;
  uint64_t bytes(Outcome outcome) const;
};

struct Plan {
  std::vector<ItemPlan> items;  // the ticked items in run order
  bool stopped = false;         // Stop came before every ticked item was walked
};

// Names for the report and the preview's columns ("File", "Removed", ...).
const char* kindName(TargetKind kind);
const char* outcomeName(Outcome outcome);

// True while the run only collects: a primitive then records its target and changes nothing.
bool collecting(const RunFlags& flags);
// Records a target in the item being walked (nothing when no item is: the shredder's own
// use of the primitives, a guard's check outside a run). A target that failed is counted
// by its kind into the item's line ("Done, but left 1: 1 registry value").
void record(RunFlags& flags, TargetKind kind, const std::string& where, uint64_t bytes, Outcome outcome,
            const std::string& reason = {});
// A cookie, with the host it belongs to.
void recordCookie(RunFlags& flags, const std::string& where, const std::string& host, uint64_t bytes, Outcome outcome,
                  const std::string& reason = {});
// The same for a folder walk, which counts what it leaves by why ("1 in use") and leaves a
// folder that stays only for what it holds out of the count: counted again, the line
// would say more was left than was.
void recordWalked(RunFlags& flags, TargetKind kind, const std::string& where, uint64_t bytes,
                  Outcome outcome, const std::string& reason = {});

// What a clean made of one target it acted on: removed, or not and why. The reason of a
// removal is what the report adds to it.
struct Result {
  bool removed;
  std::string reason;
};

// One target that goes whole by one call: while the run collects it is only planned and
// `remove` is never called; a clean calls it and records its answer.
template <typename Remove>
void removeOrPlan(RunFlags& flags, TargetKind kind, const std::string& where, uint64_t bytes, Remove&& remove) {
  if (collecting(flags)) return record(flags, kind, where, bytes, Outcome::Planned);
  const Result result = remove();
  record(flags, kind, where, bytes, result.removed ? Outcome::Removed : Outcome::Failed, result.reason);
}

// Records that the item gave up before it reached its targets, or broke off halfway: `where`
// names what stopped it (a list file, a store, the item), `reason` says why. In a run the
// item's line says so in place of "Done...": an item that did not finish must not pass for
// done.
void recordGivenUp(RunFlags& flags, const std::string& where, const std::string& reason);

}  // namespace erase

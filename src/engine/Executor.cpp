#include "engine/Executor.h"

#include <optional>

#include "clean/RegistryPatterns.h"
#include "clean/RegistryPurge.h"
#include "cookies/CookieFileClean.h"
#include "erase/ActivityLog.h"
#include "erase/EraseFiles.h"
#include "erase/RegValues.h"
#include "erase/UsersFolders.h"
#include "report/RuntimeError.h"

namespace engine {

namespace {

// The walks and removals below tell a preview from a clean by the run's flag: it follows
// the mode for the action and is put back after, as a pass nested in a yield finds it.
class ModeHeld {
 public:
  ModeHeld(erase::RunFlags& flags, Mode mode) : flags_(flags), was_(flags.collecting) {
    flags.collecting = mode == Mode::Preview;
  }
  ~ModeHeld() { flags_.collecting = was_; }
  ModeHeld(const ModeHeld&) = delete;
  ModeHeld& operator=(const ModeHeld&) = delete;

 private:
  erase::RunFlags& flags_;
  bool was_;
};

void belowOneFolder(const Action& action, const erase::RunContext& run, const clean::FoundFolder& base) {
  if (base.path.empty()) return;
  std::optional<erase::FlagHeld> machineWide;
  if (base.machineWide) {
    if (!erase::MachineWideFolderMayBeCleaned(run, base.path)) return;
    machineWide.emplace(run.flags.inMachineWideFolder);
  }
  switch (action.kind) {
    case Action::Kind::RemoveFile: clean::RemoveFileBelow(run, base.path, action.where); return;
    case Action::Kind::EmptyFolder: clean::EmptyFolderBelow(run, base.path, action.where); return;
    case Action::Kind::EmptyFolderTree:
      clean::EmptyFolderTreeBelow(run, base.path, action.where, action.keep);
      return;
    case Action::Kind::RemoveMatching: clean::RemoveMatchingBelow(run, base.path, action.where); return;
    case Action::Kind::SpareKeptSites:
      cookies::CleanCookieFile(run, base.path + action.where, action.cookieFilter);
      return;
    default: browsers::CleanDatabase(run, base.path + action.database->file, *action.database); return;
  }
}

void belowFolder(const Action& action, const erase::RunContext& run) {
  for (const clean::FoundFolder& base : action.folder->folders(run)) belowOneFolder(action, run, base);
}

// False when the rest of the item must not run.
bool carryOut(const Action& action, const erase::RunContext& run) {
  switch (action.kind) {
    case Action::Kind::PurgeList:
      clean::PurgeRegistryList(run, action.where);
      break;
    case Action::Kind::DeleteKeyTree:
      clean::DeleteRegTreeUnlessLinked(run, action.where);
      break;
    case Action::Kind::SetValue:
      erase::WriteRegValue(run, platform::hkey::CurrentUser, action.where, action.name, action.text,
                           platform::regtype::String);
      break;
    case Action::Kind::EraseMatching:
      erase::EraseMatchingFiles(run, action.where);
      break;
    case Action::Kind::RemoveFile:
    case Action::Kind::EmptyFolder:
    case Action::Kind::EmptyFolderTree:
    case Action::Kind::RemoveMatching:
    case Action::Kind::EditDatabase:
    case Action::Kind::SpareKeptSites:
      belowFolder(action, run);
      break;
    case Action::Kind::OnlyIf:
      return action.precondition(run);
    case Action::Kind::Custom:
      action.custom(run);
      break;
    case Action::Kind::PurgeValues:
      clean::PurgeValuesMatching(run, action.where, action.name, action.keep);
      break;
    case Action::Kind::DeleteSubKeys:
      clean::DeleteSubKeysMatching(run, action.where, action.name, action.keep);
      break;
  }
  return true;
}

// An item that refused its work says so, and one that left things the user asked to
// clean says how many and why: neither is a plain success.
std::string closingLine(const erase::RunFlags& flags) {
  if (!flags.skipped.empty()) return flags.skipped;
  return flags.leftBehind.closingLine();
}

erase::ItemPlan* reportItem(erase::Plan& report, int position) {
  if (report.items.size() == report.items.capacity()) return nullptr;  // never: one entry per position
  erase::ItemPlan entry;
  entry.position = position;
  entry.caption = catalogue()[position].caption;
  report.items.push_back(std::move(entry));
  return &report.items.back();
}

}  // namespace

bool execute(const Action& action, const erase::RunContext& run, Mode mode) {
  if (action.skippedOnceStopped && run.flags.abort) return true;
  ModeHeld held(run.flags, mode);
  try {
    return carryOut(action, run);
  } catch (const std::exception& e) {
    // What it did not reach is no success: the plan and the item's line say so.
    const erase::ItemPlan* plan = run.flags.plan;
    erase::recordGivenUp(run.flags, plan ? plan->caption : std::string(), e.what());
    report::reportFailure(run.os, *action.tail, e);
    // A precondition that could not be judged does not hold.
    return action.kind != Action::Kind::OnlyIf;
  }
}

void executeItem(const CleaningItem& item, const erase::RunContext& run, Mode mode) {
  for (const Action& action : item.actions)
    if (!execute(action, run, mode)) break;
  if (mode == Mode::Clean && item.doneLog) {
    const char* line = run.flags.abort && item.stoppedLog ? item.stoppedLog : item.doneLog;
    report::resumeNext([&] { erase::LogActivity(line, erase::ActivityTimeStamp()); });
  }
}

erase::Plan freshReport() {
  erase::Plan report;
  report.items.reserve(catalogue().size());
  return report;
}

void runItems(const erase::RunContext& run, Mode mode, int16_t& next, erase::Plan& report, PassWatcher& watcher) {
  erase::RunFlags& flags = run.flags;
  const std::vector<CleaningItem>& items = catalogue();
  while (next >= 0 && next < static_cast<int>(items.size())) {
    const int16_t position = next;
    const CleaningItem& item = items[position];
    if (flags.abort || !watcher.takesPart(item)) {
      next = position + 1;
      continue;
    }
    watcher.itemStarts(position, item);
    flags.skipped.clear();
    flags.leftBehind = erase::LeftBehind();
    next = position + 1;
    erase::ItemPlan* const outer = flags.plan;  // a pass nested in a yield returns here
    flags.plan = reportItem(report, position);
    executeItem(item, run, mode);
    flags.plan = outer;
    watcher.itemEnds(item, closingLine(flags));
  }
}

}  // namespace engine

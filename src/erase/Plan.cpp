#include "erase/Plan.h"

#include "erase/RunFlags.h"

namespace erase {

unsigned ItemPlan::count(Outcome outcome) const {
  unsigned n = 0;
  for (const Target& target : targets) n += target.outcome == outcome;
  return n;
}

unsigned ItemPlan::count(TargetKind kind) const {
  unsigned n = 0;
  for (const Target& target : targets) n += target.kind == kind;
  return n;
}

uint64_t ItemPlan::bytes(Outcome outcome) const {
  uint64_t n = 0;
  for (const Target& target : targets)
    if (target.outcome == outcome) n += target.bytes;
  return n;
}

const char* kindName(TargetKind kind) {
  switch (kind) {
    case TargetKind::File: return "File";
    case TargetKind::Folder: return "Folder";
    case TargetKind::RegistryKey: return "Registry key";
    case TargetKind::RegistryValue: return "Registry value";
    case TargetKind::Cookie: return "Cookie";
    case TargetKind::HistoryEntry: return "History entry";
    case TargetKind::CacheEntry: return "Cache entry";
    case TargetKind::Clipboard: return "Clipboard";
    case TargetKind::RecycleBin: return "Recycle Bin";
    case TargetKind::Setting: return "Setting";
    case TargetKind::FormEntry: return "Form entry";
    case TargetKind::Item: return "Item";
  }
  return "";
}

const char* outcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::Planned: return "To remove";
    case Outcome::Removed: return "Removed";
    case Outcome::Failed: return "Failed";
    case Outcome::Refused: return "Refused";
    case Outcome::AtRestart: return "At restart";
    case Outcome::Shared: return "Shared";
    case Outcome::Kept: return "Kept";
  }
  return "";
}

bool collecting(const erase::RunFlags& flags) { return flags.collecting; }

void recordWalked(erase::RunFlags& flags, TargetKind kind, const std::string& where, uint64_t bytes,
                  Outcome outcome, const std::string& reason) {
  if (!flags.plan) return;
  flags.plan->targets.push_back(Target{kind, where, bytes, outcome, reason});
}

void record(erase::RunFlags& flags, TargetKind kind, const std::string& where, uint64_t bytes, Outcome outcome,
            const std::string& reason) {
  // An item's own failure says so in place of its line (recordGivenUp).
  if (flags.plan && outcome == Outcome::Failed && kind != TargetKind::Item) flags.leftBehind.countFailed(kind);
  recordWalked(flags, kind, where, bytes, outcome, reason);
}

void recordCookie(erase::RunFlags& flags, const std::string& where, const std::string& host, uint64_t bytes,
                  Outcome outcome, const std::string& reason) {
  record(flags, TargetKind::Cookie, where, bytes, outcome, reason);
  if (flags.plan) flags.plan->targets.back().host = host;
}

void recordGivenUp(erase::RunFlags& flags, const std::string& where, const std::string& reason) {
  if (!flags.plan) return;
  record(flags, TargetKind::Item, where, 0, Outcome::Failed, reason);
  if (flags.skipped.empty()) flags.skipped = "Failed: " + reason;
}

}  // namespace erase

#include "erase/SharedTargets.h"

#include <map>
#include <string>

#include "erase/WalkRules.h"

namespace erase {

namespace {

// A folder goes with its files and folders, a key with its keys and values.
bool removesWith(TargetKind container, TargetKind kind) {
  if (container == TargetKind::Folder) return kind == TargetKind::File || kind == TargetKind::Folder;
  if (container == TargetKind::RegistryKey) return kind == TargetKind::RegistryKey || kind == TargetKind::RegistryValue;
  return false;
}

// The planned targets of the items met so far, each with the caption of the first item
// that plans it.
class Owners {
 public:
  void add(const Target& target, const std::string& caption) {
    owners_.emplace(key(target.kind, target.where), caption);
  }

  // The item that removes `target` already; null when none does.
  const std::string* of(const Target& target) const {
    if (const std::string* owner = find(target.kind, target.where)) return owner;
    const std::string& where = target.where;
    for (size_t slash = where.rfind('\\'); slash != std::string::npos && slash > 0;
         slash = where.rfind('\\', slash - 1))
      for (TargetKind container : {TargetKind::Folder, TargetKind::RegistryKey})
        if (removesWith(container, target.kind))
          if (const std::string* owner = find(container, where.substr(0, slash))) return owner;
    return nullptr;
  }

 private:
  static std::string key(TargetKind kind, const std::string& where) {
    return std::to_string(static_cast<int>(kind)) + ' ' + nameKey(where);
  }
  const std::string* find(TargetKind kind, const std::string& where) const {
    const auto found = owners_.find(key(kind, where));
    return found == owners_.end() ? nullptr : &found->second;
  }

  std::map<std::string, std::string> owners_;
};

}  // namespace

void MarkSharedTargets(Plan& plan) {
  Owners owners;
  for (ItemPlan& item : plan.items) {
    // An item's own targets lie in one another (a folder's files): only earlier items count.
    for (Target& target : item.targets) {
      if (target.outcome != Outcome::Planned) continue;
      if (const std::string* first = owners.of(target)) {
        target.outcome = Outcome::Shared;
        target.reason = "also in " + *first;
      }
    }
    for (const Target& target : item.targets)
      if (target.outcome == Outcome::Planned) owners.add(target, item.caption);
  }
}

}  // namespace erase

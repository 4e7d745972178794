#include "clean/RegistryPatterns.h"

#include <vector>

#include "clean/RegistryPurge.h"
#include "erase/NamePattern.h"
#include "erase/Plan.h"
#include "erase/RegKeyPath.h"
#include "erase/RegTree.h"
#include "erase/RegValues.h"
#include "platform/WinError.h"

namespace clean {

namespace {

using platform::hkey::CurrentUser;
using platform::winerr::NoMoreItems;
using platform::winerr::Success;

void recordKey(const erase::RunContext& run, const std::string& subKey, erase::Outcome outcome,
               const std::string& reason) {
  erase::record(run.flags, erase::TargetKind::RegistryKey, erase::RegistryTarget(CurrentUser, subKey), 0, outcome,
                reason);
}

// True when the key is held; a link or a failure on the way is recorded.
bool held(const erase::RunContext& run, const erase::HeldKeyPath& path, const std::string& subKey) {
  switch (path.reach()) {
    case erase::KeyReach::Held: return true;
    case erase::KeyReach::Missing: return false;
    case erase::KeyReach::Linked:
      recordKey(run, subKey, erase::Outcome::Refused, erase::kRegistryLinkReason);
      run.flags.skipped = kLinkedListSkipped;
      return false;
    case erase::KeyReach::Failed: break;
  }
  recordKey(run, subKey, erase::Outcome::Failed, erase::describeRegistryError(path.error()));
  return false;
}

// The names of the key's sub-keys; false, recorded, when the listing failed partway.
bool subKeyNames(const erase::RunContext& run, const std::string& subKey, std::vector<std::string>* names) {
  platform::Registry& registry = run.os.registry;
  const erase::HeldKeyPath path(registry, CurrentUser, subKey, platform::regaccess::Read);
  if (!held(run, path, subKey)) return false;
  for (uint32_t index = 0;; ++index) {
    std::string name;
    const long rc = registry.enumKey(path.key(), index, &name);
    if (rc == NoMoreItems) return true;
    if (rc != Success) {
      recordKey(run, subKey, erase::Outcome::Failed, erase::describeRegistryError(rc));
      return false;
    }
    names->push_back(name);
  }
}

std::vector<std::string> components(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = path.find('\\', start)) != std::string::npos; start = end + 1)
    if (end > start) parts.push_back(path.substr(start, end - start));
  if (start < path.size()) parts.push_back(path.substr(start));
  return parts;
}

// The keys `keyPath` names, each as a plain path, found by listing the key above each
// pattern.
std::vector<std::string> keysNamed(const erase::RunContext& run, const std::string& keyPath) {
  std::vector<std::string> found;
  const std::vector<std::string> parts = components(keyPath);
  if (parts.empty()) return found;  // never the whole hive
  found.push_back(std::string());
  for (const std::string& part : parts) {
    std::vector<std::string> next;
    for (const std::string& above : found) {
      const std::string prefix = above.empty() ? above : above + "\\";
      if (!erase::isNamePattern(part)) {
        next.push_back(prefix + part);
        continue;
      }
      std::vector<std::string> names;
      if (above.empty() || !subKeyNames(run, above, &names)) continue;
      for (const std::string& name : names)
        if (erase::nameMatchesAny(part, name)) next.push_back(prefix + name);
    }
    found.swap(next);
  }
  return found;
}

bool taken(const std::string& names, const std::string& keep, const std::string& name) {
  return erase::nameMatchesAny(names, name) && !erase::nameMatchesAny(keep, name);
}

struct ListedValue {
  std::string name;
  size_t bytes;
};

void purgeValuesIn(const erase::RunContext& run, const std::string& subKey, const std::string& names,
                   const std::string& keep) {
  platform::Registry& registry = run.os.registry;
  const erase::HeldKeyPath path(registry, CurrentUser, subKey,
                                platform::regaccess::QueryValue | platform::regaccess::SetValue);
  if (!held(run, path, subKey)) return;
  // Listed whole before any goes: deleting moves the values after it to other indexes.
  std::vector<ListedValue> listed;
  for (uint32_t index = 0;; ++index) {
    std::string name;
    std::vector<uint8_t> data;
    const long rc = registry.enumValue(path.key(), index, &name, nullptr, &data);
    if (rc == NoMoreItems) break;
    if (rc != Success) return recordKey(run, subKey, erase::Outcome::Failed, erase::describeRegistryError(rc));
    if (taken(names, keep, name)) listed.push_back({name, data.size()});
  }
  for (const ListedValue& value : listed) {
    if (run.flags.abort) return;
    const std::string target = erase::RegistryTarget(CurrentUser, subKey, value.name);
    if (erase::collecting(run.flags)) {
      erase::record(run.flags, erase::TargetKind::RegistryValue, target, value.bytes, erase::Outcome::Planned);
      continue;
    }
    const long rc = registry.deleteValue(path.key(), value.name);
    if (rc == Success)
      erase::record(run.flags, erase::TargetKind::RegistryValue, target, value.bytes, erase::Outcome::Removed);
    else
      erase::record(run.flags, erase::TargetKind::RegistryValue, target, value.bytes, erase::Outcome::Failed,
                    erase::describeRegistryError(rc));
  }
}

void deleteSubKeysOf(const erase::RunContext& run, const std::string& subKey, const std::string& names,
                     const std::string& keep) {
  std::vector<std::string> listed;
  if (!subKeyNames(run, subKey, &listed)) return;
  for (const std::string& name : listed) {
    if (run.flags.abort) return;
    if (!taken(names, keep, name)) continue;
    // Reached again from the hive, each component as itself: a link put there since the
    // listing is still refused.
    if (erase::DeleteRegTree(run.os.registry, run.flags, CurrentUser, subKey + "\\" + name) == erase::TreeEnd::Refused)
      run.flags.skipped = kLinkedListSkipped;
  }
}

}  // namespace

void PurgeValuesMatching(const erase::RunContext& run, const std::string& keyPath, const std::string& names,
                         const std::string& keep) {
  for (const std::string& key : keysNamed(run, keyPath)) purgeValuesIn(run, key, names, keep);
}

void DeleteSubKeysMatching(const erase::RunContext& run, const std::string& keyPath, const std::string& names,
                           const std::string& keep) {
  for (const std::string& key : keysNamed(run, keyPath)) deleteSubKeysOf(run, key, names, keep);
}

}  // namespace clean

#include "erase/RegTree.h"

#include <exception>

#include "erase/Plan.h"
#include "erase/RegValues.h"
#include "erase/RunFlags.h"
#include "platform/WinError.h"

namespace erase {

using namespace platform;

namespace {

// A key goes with its values; they are deleted first so that a key that cannot go is at
// least emptied of every value that will go.
void deleteValues(Registry& registry, HKey key) {
  try {
    // The first value still there: each deletion moves the next one to its place, and each
    // that will not go stays before it.
    for (uint32_t index = 0;;) {
      std::string name;
      if (registry.enumValue(key, index, &name, nullptr, nullptr) != winerr::Success) return;
      if (registry.deleteValue(key, name) != winerr::Success) ++index;
    }
  } catch (const std::exception&) {
  }
}

// Empties the held key; false when something stays in it: a link left (*error Success) or a
// call that failed (*error its code, which ends the walk).
bool empty(Registry& registry, HKey key, long* error) {
  deleteValues(registry, key);
  bool whole = true;
  for (uint32_t index = 0;;) {
    std::string name;
    long rc = registry.enumKey(key, index, &name);
    if (rc == winerr::NoMoreItems) return whole;
    HKey sub = 0;
    if (rc == winerr::Success) rc = registry.openKeyAsLink(key, name, regaccess::AllAccess, &sub);
    if (rc != winerr::Success) {
      *error = rc;
      return false;
    }
    bool emptied = false;
    try {
      emptied = !IsRegistryLink(registry, sub) && empty(registry, sub, error);
    } catch (...) {
      registry.closeKey(sub);
      throw;
    }
    registry.closeKey(sub);
    if (*error != winerr::Success) return false;
    if (!emptied) {  // a link, or a key holding one: it stays, and so does this key
      whole = false;
      ++index;
      continue;
    }
    rc = registry.deleteKey(key, name);  // the next sub-key moves to this index
    if (rc != winerr::Success) {
      *error = rc;
      return false;
    }
  }
}

void recordKey(erase::RunFlags& flags, HKey root, const std::string& subKey, Outcome outcome,
               const std::string& reason = {}) {
  record(flags, TargetKind::RegistryKey, RegistryTarget(root, subKey), 0, outcome, reason);
}

}  // namespace

TreeEnd DeleteHeldRegTree(Registry& registry, erase::RunFlags& flags, const HeldKeyPath& path, HKey root,
                          const std::string& subKey) {
  if (HoldsRegistryLink(registry, path.key())) {
    recordKey(flags, root, subKey, Outcome::Refused, kRegistryLinkReason);
    return TreeEnd::Refused;
  }
  if (collecting(flags)) {
    recordKey(flags, root, subKey, Outcome::Planned);
    return TreeEnd::Removed;
  }
  long error = winerr::Success;
  const bool emptied = empty(registry, path.key(), &error);
  if (!emptied && error == winerr::Success) {  // a link made in it since the check
    recordKey(flags, root, subKey, Outcome::Refused, kRegistryLinkReason);
    return TreeEnd::Refused;
  }
  if (emptied) error = registry.deleteKey(path.parent(), path.name());
  if (error == winerr::Success) {
    recordKey(flags, root, subKey, Outcome::Removed);
    return TreeEnd::Removed;
  }
  recordKey(flags, root, subKey, Outcome::Failed, describeRegistryError(error));
  return TreeEnd::Failed;
}

TreeEnd DeleteRegTree(Registry& registry, erase::RunFlags& flags, HKey root, const std::string& subKey) {
  if (subKey.empty() || subKey[0] == '\\') {
    recordKey(flags, root, subKey, Outcome::Failed, describeRegistryError(winerr::InvalidParameter));
    return TreeEnd::Failed;
  }
  const HeldKeyPath path(registry, root, subKey, regaccess::AllAccess);
  switch (path.reach()) {
    case KeyReach::Held: return DeleteHeldRegTree(registry, flags, path, root, subKey);
    case KeyReach::Missing: return TreeEnd::Missing;
    case KeyReach::Linked:
      recordKey(flags, root, subKey, Outcome::Refused, kRegistryLinkReason);
      return TreeEnd::Refused;
    case KeyReach::Failed: break;
  }
  recordKey(flags, root, subKey, Outcome::Failed, describeRegistryError(path.error()));
  return TreeEnd::Failed;
}

}  // namespace erase

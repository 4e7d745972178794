#include "clean/RegistryPurge.h"

#include <exception>
#include <vector>

#include "erase/Plan.h"
#include "erase/RegKeyPath.h"
#include "erase/RegTree.h"
#include "erase/RegValues.h"
#include "erase/RunContext.h"
#include "platform/WinError.h"

namespace clean {

using platform::HKey;
using platform::Registry;
using platform::hkey::CurrentUser;
using platform::winerr::Success;

const char kLinkedListSkipped[] = "Skipped: the list leads to another place in the registry";

namespace {

void recordKey(erase::RunFlags& flags, const std::string& subKey, erase::Outcome outcome, const std::string& reason) {
  erase::record(flags, erase::TargetKind::RegistryKey, erase::RegistryTarget(CurrentUser, subKey), 0, outcome, reason);
}

// Deletes the held list's values one at a time until the abort flag is set; one that will
// not go is recorded failed and the rest still go, as the preview promised. While the run
// collects, each is only recorded.
void purgeValues(Registry& registry, erase::RunFlags& flags, HKey key, const std::string& subKey) {
  const bool onlyCollecting = erase::collecting(flags);
  // The first value still there while the run removes: each deletion moves the next one to
  // its place, and each failed one stays before it.
  for (uint32_t index = 0; !flags.abort;) {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (registry.enumValue(key, index, &name, &type, &data) != Success) return;
    const std::string target = erase::RegistryTarget(CurrentUser, subKey, name);
    if (onlyCollecting) {
      erase::record(flags, erase::TargetKind::RegistryValue, target, data.size(), erase::Outcome::Planned);
      ++index;
      continue;
    }
    const long rc = registry.deleteValue(key, name);
    if (rc != Success) {
      erase::record(flags, erase::TargetKind::RegistryValue, target, data.size(), erase::Outcome::Failed,
                    erase::describeRegistryError(rc));
      ++index;
      continue;
    }
    erase::record(flags, erase::TargetKind::RegistryValue, target, data.size(), erase::Outcome::Removed);
  }
}

}  // namespace

void PurgeRegistryList(const erase::RunContext& run, const std::string& subKey) {
  if (!PurgeRegistryList(run.os.registry, run.flags, subKey)) run.flags.skipped = kLinkedListSkipped;
}

void DeleteRegTreeUnlessLinked(const erase::RunContext& run, const std::string& subKey) {
  if (!DeleteRegTreeUnlessLinked(run.os.registry, run.flags, subKey)) run.flags.skipped = kLinkedListSkipped;
}

bool DeleteRegTreeUnlessLinked(Registry& registry, erase::RunFlags& flags, const std::string& subKey) {
  return erase::DeleteRegTree(registry, flags, CurrentUser, subKey) != erase::TreeEnd::Refused;
}

bool PurgeRegistryList(Registry& registry, erase::RunFlags& flags, const std::string& subKey) {
  // Reached component by component: a link on the way would lead the purge elsewhere.
  const erase::HeldKeyPath path(registry, CurrentUser, subKey, platform::regaccess::AllAccess);
  switch (path.reach()) {
    case erase::KeyReach::Held: break;
    case erase::KeyReach::Missing: return true;
    case erase::KeyReach::Linked:
      recordKey(flags, subKey, erase::Outcome::Refused, erase::kRegistryLinkReason);
      return false;
    case erase::KeyReach::Failed:
      recordKey(flags, subKey, erase::Outcome::Failed, erase::describeRegistryError(path.error()));
      return true;
  }
  // A list holding a link keeps its values too: the list is refused whole.
  if (erase::HoldsRegistryLink(registry, path.key())) {
    recordKey(flags, subKey, erase::Outcome::Refused, erase::kRegistryLinkReason);
    return false;
  }
  std::exception_ptr failure;
  try {
    purgeValues(registry, flags, path.key(), subKey);
  } catch (...) {
    failure = std::current_exception();
  }
  const bool whole = erase::DeleteHeldRegTree(registry, flags, path, CurrentUser, subKey) != erase::TreeEnd::Refused;
  if (failure) std::rethrow_exception(failure);
  return whole;
}

}  // namespace clean

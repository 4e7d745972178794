#include "clean/RegistryPurge.h"

#include <exception>
#include <vector>

#include "engine/RunContext.h"
#include "erase/Plan.h"
#include "erase/RegValues.h"
#include "platform/WinError.h"

namespace clean {

using platform::HKey;
using platform::Registry;
using platform::winerr::Success;

namespace {

// True when the key open as `key` is a registry link (opened as the link itself).
bool isLink(Registry& registry, HKey key) {
  uint32_t type = 0, size = 0;
  return registry.queryValue(key, platform::kSymbolicLinkValue, &type, nullptr, &size) == Success &&
         type == platform::regtype::Link;
}

// True when a key below `key` is a link, or cannot be opened to tell: deleting the tree would
// go through a link into the key it leads to.
bool holdsLink(Registry& registry, HKey key) {
  for (uint32_t index = 0;; ++index) {
    std::string name;
    if (registry.enumKey(key, index, &name) != Success) return false;
    HKey sub = 0;
    if (registry.openKeyAsLink(key, name, platform::regaccess::Read, &sub) != Success) return true;
    bool found = true;
    try {
      found = isLink(registry, sub) || holdsLink(registry, sub);
    } catch (...) {
      registry.closeKey(sub);
      throw;
    }
    registry.closeKey(sub);
    if (found) return true;
  }
}

}  // namespace

constexpr const char* kLinkedListSkipped = "Skipped: the list leads to another place in the registry";
constexpr const char* kLinkReason = "leads to another place in the registry";

namespace {

bool missing(long openResult) {
  return openResult == platform::winerr::FileNotFound || openResult == platform::winerr::PathNotFound;
}

// The key's tree goes (a missing key is asked for too, as Windows lets it be); while the run
// collects, a key that is there is only recorded.
void deleteTree(Registry& registry, engine::RunFlags& flags, const std::string& subKey, long openResult) {
  if (erase::collecting(flags) && missing(openResult)) return;
  erase::DeleteRegTree(registry, flags, platform::hkey::CurrentUser, subKey);
}

void recordRefused(engine::RunFlags& flags, const std::string& subKey) {
  erase::record(flags, erase::TargetKind::RegistryKey, erase::RegistryTarget(platform::hkey::CurrentUser, subKey), 0,
                erase::Outcome::Refused, kLinkReason);
}

}  // namespace

void PurgeRegistryList(const engine::RunContext& run, const std::string& subKey) {
  if (!PurgeRegistryList(run.os.registry, run.flags, subKey)) run.flags.skipped = kLinkedListSkipped;
}

void DeleteRegTreeUnlessLinked(const engine::RunContext& run, const std::string& subKey) {
  if (!DeleteRegTreeUnlessLinked(run.os.registry, run.flags, subKey)) run.flags.skipped = kLinkedListSkipped;
}

bool DeleteRegTreeUnlessLinked(Registry& registry, engine::RunFlags& flags, const std::string& subKey) {
  HKey key = 0;
  const long opened = registry.openKeyAsLink(platform::hkey::CurrentUser, subKey, platform::regaccess::Read, &key);
  if (opened != Success) return true;
  bool refused = true;
  try {
    refused = isLink(registry, key) || holdsLink(registry, key);
  } catch (...) {
    registry.closeKey(key);
    throw;
  }
  registry.closeKey(key);
  if (refused)
    recordRefused(flags, subKey);
  else
    deleteTree(registry, flags, subKey, opened);
  return !refused;
}

bool PurgeRegistryList(Registry& registry, engine::RunFlags& flags, const std::string& subKey) {
  std::exception_ptr failure;
  HKey key = 0;
  long opened = platform::winerr::InvalidHandle;
  bool refused = false, checked = false;
  const bool onlyCollecting = erase::collecting(flags);
  try {
    // The key is opened as itself: a link would lead the purge into another key.
    opened = registry.openKeyAsLink(platform::hkey::CurrentUser, subKey, platform::regaccess::AllAccess, &key);
    if (opened != Success) key = 0;
    refused = key && (isLink(registry, key) || holdsLink(registry, key));
    checked = true;
    // Always the first value while the run removes: each deletion moves the next one to the front.
    for (uint32_t index = 0; key && !refused && !flags.abort;) {
      std::string name;
      uint32_t type = 0;
      std::vector<uint8_t> data;
      if (registry.enumValue(key, index, &name, &type, &data) != Success) break;
      const std::string target = erase::RegistryTarget(platform::hkey::CurrentUser, subKey, name);
      if (onlyCollecting) {
        erase::record(flags, erase::TargetKind::RegistryValue, target, data.size(), erase::Outcome::Planned);
        ++index;
        continue;
      }
      const long rc = registry.deleteValue(key, name);
      if (rc != Success) {
        erase::record(flags, erase::TargetKind::RegistryValue, target, data.size(), erase::Outcome::Failed,
                      erase::describeRegistryError(rc));
        break;
      }
      erase::record(flags, erase::TargetKind::RegistryValue, target, data.size(), erase::Outcome::Removed);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    if (key) registry.closeKey(key);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (refused) recordRefused(flags, subKey);
  if (checked && !refused) deleteTree(registry, flags, subKey, opened);
  if (failure) std::rethrow_exception(failure);
  return !refused;
}

}  // namespace clean

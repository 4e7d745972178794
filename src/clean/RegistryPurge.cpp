#include "clean/RegistryPurge.h"

#include <exception>
#include <vector>

#include "app/App.h"
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

void PurgeRegistryList(app::App& app, const std::string& subKey) {
  if (!PurgeRegistryList(app.os.registry, app.flags.abort, subKey)) app.flags.skipped = kLinkedListSkipped;
}

void DeleteRegTreeUnlessLinked(app::App& app, const std::string& subKey) {
  if (!DeleteRegTreeUnlessLinked(app.os.registry, subKey)) app.flags.skipped = kLinkedListSkipped;
}

bool DeleteRegTreeUnlessLinked(Registry& registry, const std::string& subKey) {
  HKey key = 0;
  if (registry.openKeyAsLink(platform::hkey::CurrentUser, subKey, platform::regaccess::Read, &key) != Success)
    return true;
  bool refused = true;
  try {
    refused = isLink(registry, key) || holdsLink(registry, key);
  } catch (...) {
    registry.closeKey(key);
    throw;
  }
  registry.closeKey(key);
  if (!refused) erase::DeleteRegTree(registry, platform::hkey::CurrentUser, subKey);
  return !refused;
}

bool PurgeRegistryList(Registry& registry, const bool& abort, const std::string& subKey) {
  std::exception_ptr failure;
  HKey key = 0;
  bool refused = false, checked = false;
  try {
    // The key is opened as itself: a link would lead the purge into another key.
    if (registry.openKeyAsLink(platform::hkey::CurrentUser, subKey, platform::regaccess::AllAccess, &key) != Success)
      key = 0;
    refused = key && (isLink(registry, key) || holdsLink(registry, key));
    checked = true;
    // Always the first value: each deletion moves the next one to the front.
    while (key && !refused && !abort) {
      std::string name;
      uint32_t type = 0;
      std::vector<uint8_t> data;
      if (registry.enumValue(key, 0, &name, &type, &data) != Success) break;
      if (registry.deleteValue(key, name) != Success) break;
    }
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    if (key) registry.closeKey(key);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (checked && !refused) erase::DeleteRegTree(registry, platform::hkey::CurrentUser, subKey);
  if (failure) std::rethrow_exception(failure);
  return !refused;
}

}  // namespace clean

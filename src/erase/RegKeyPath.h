#pragma once
// A registry key reached from its hive root one component at a time, each opened as itself.
//
// Opened whole, a path follows a registry link at every component but the last, even with
// REG_OPTION_OPEN_LINK: HKCU\Software\Microsoft\Internet Explorer made a link to a key under
// HKLM would lead a purge of its TypedURLs, or a value written below it, into HKLM. Here each
// component is opened with REG_OPTION_OPEN_LINK relative to the key held before it, and a
// component that is a link is refused. Every key the cleaner changes for an item is reached
// this way.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace erase {

// What a plan says of a key refused as a link, or reached only through one.
extern const char kRegistryLinkReason[];

enum class KeyReach {
  Held,     // every component opened, none a link
  Missing,  // a component is not there
  Linked,   // a component is a registry link
  Failed,   // a component could not be opened (or made); error() says why
};

class HeldKeyPath {
 public:
  // Opens `subKey` below `root`; the last component with `access`, and the right to read its
  // values to tell a link. With `create`, a missing component is made in the key held
  // before it, then opened as itself like the others. An empty path holds the root.
  HeldKeyPath(platform::Registry& registry, platform::HKey root, const std::string& subKey, uint32_t access,
              bool create = false);
  ~HeldKeyPath();  // closes every held key
  HeldKeyPath(const HeldKeyPath&) = delete;
  HeldKeyPath& operator=(const HeldKeyPath&) = delete;

  KeyReach reach() const { return reach_; }
  long error() const { return error_; }
  // While Held: the last component's key, the key that holds it, and its name.
  platform::HKey key() const { return held_.empty() ? root_ : held_.back(); }
  platform::HKey parent() const { return held_.size() < 2 ? root_ : held_[held_.size() - 2]; }
  const std::string& name() const { return name_; }

 private:
  // Opens one component as itself below the key held last; false when the path ends there.
  bool step(const std::string& part, uint32_t access, bool create);
  void closeAll();

  platform::Registry& registry_;
  platform::HKey root_;
  std::vector<platform::HKey> held_;
  std::string name_;
  KeyReach reach_ = KeyReach::Held;
  long error_ = 0;
};

// True when the key open as `key` (opened as itself) is a registry link.
bool IsRegistryLink(platform::Registry& registry, platform::HKey key);
// True when a key anywhere below `key` is a link, or cannot be opened to tell.
bool HoldsRegistryLink(platform::Registry& registry, platform::HKey key);

}  // namespace erase

#include "erase/RegKeyPath.h"

#include <algorithm>

#include "platform/WinError.h"

namespace erase {

using namespace platform;

const char kRegistryLinkReason[] = "leads to another place in the registry";

namespace {

std::vector<std::string> components(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

bool missing(long error) { return error == winerr::FileNotFound || error == winerr::PathNotFound; }

}  // namespace

HeldKeyPath::HeldKeyPath(Registry& registry, HKey root, const std::string& subKey, uint32_t access, bool create)
    : registry_(registry), root_(root) {
  const std::vector<std::string> parts = components(subKey);
  try {
    for (size_t i = 0; i < parts.size(); ++i) {
      // A key on the way is only looked into (reading its values tells whether it is a link),
      // or has the next one made in it.
      const uint32_t onTheWay = regaccess::QueryValue | (create ? regaccess::CreateSubKey : 0);
      const uint32_t wanted = i + 1 == parts.size() ? access | regaccess::QueryValue : onTheWay;
      if (!step(parts[i], wanted, create)) break;
    }
  } catch (...) {
    closeAll();
    throw;
  }
  if (!parts.empty()) name_ = parts.back();
  if (reach_ != KeyReach::Held) closeAll();
}

HeldKeyPath::~HeldKeyPath() { closeAll(); }

bool HeldKeyPath::step(const std::string& part, uint32_t access, bool create) {
  HKey next = 0;
  long rc = registry_.openKeyAsLink(key(), part, access, &next);
  if (missing(rc) && create) {
    // Made as a plain key, then opened as itself: a link put there meanwhile is still seen.
    HKey made = 0;
    rc = registry_.createKeyEx(key(), part, access, &made, nullptr);
    if (rc == winerr::Success) {
      registry_.closeKey(made);
      rc = registry_.openKeyAsLink(key(), part, access, &next);
    }
  }
  if (rc != winerr::Success) {
    reach_ = missing(rc) ? KeyReach::Missing : KeyReach::Failed;
    error_ = rc;
    return false;
  }
  held_.push_back(next);
  if (!IsRegistryLink(registry_, next)) return true;
  reach_ = KeyReach::Linked;
  return false;
}

void HeldKeyPath::closeAll() {
  while (!held_.empty()) {
    const HKey last = held_.back();
    held_.pop_back();
    try {
      registry_.closeKey(last);
    } catch (...) {
      // A key that will not close is no reason to stop closing the others.
    }
  }
}

bool IsRegistryLink(Registry& registry, HKey key) {
  uint32_t type = 0, size = 0;
  return registry.queryValue(key, kSymbolicLinkValue, &type, nullptr, &size) == winerr::Success &&
         type == regtype::Link;
}

bool HoldsRegistryLink(Registry& registry, HKey key) {
  for (uint32_t index = 0;; ++index) {
    std::string name;
    if (registry.enumKey(key, index, &name) != winerr::Success) return false;
    HKey sub = 0;
    if (registry.openKeyAsLink(key, name, regaccess::Read, &sub) != winerr::Success) return true;
    bool found = true;
    try {
      found = IsRegistryLink(registry, sub) || HoldsRegistryLink(registry, sub);
    } catch (...) {
      registry.closeKey(sub);
      throw;
    }
    registry.closeKey(sub);
    if (found) return true;
  }
}

}  // namespace erase

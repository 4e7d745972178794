#include "custom/FavouritesRule.h"
#include "platform/NameCase.h"

#include <cctype>

namespace custom {

GuardReference takeReference(uint64_t now, const std::vector<platform::FindData>& entries) {
  GuardReference reference;
  reference.enabledAt = now;
  for (const platform::FindData& entry : entries) reference.names.insert(platform::upperCased(entry.name));
  return reference;
}

bool isNewFavourite(const GuardReference& reference, const platform::FindData& entry) {
  if (reference.names.count(platform::upperCased(entry.name))) return false;
  return entry.creationTime + kStampSlack >= reference.enabledAt;
}

}  // namespace custom

#include "custom/FavouritesRule.h"

#include <cctype>

namespace custom {

namespace {
std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}
}  // namespace

GuardReference takeReference(uint64_t now, const std::vector<platform::FindData>& entries) {
  GuardReference reference;
  reference.enabledAt = now;
  for (const platform::FindData& entry : entries) reference.names.insert(upper(entry.name));
  return reference;
}

bool isNewFavourite(const GuardReference& reference, const platform::FindData& entry) {
  if (reference.names.count(upper(entry.name))) return false;
  return entry.creationTime + kStampSlack >= reference.enabledAt;
}

}  // namespace custom

#pragma once
// Which Protected Storage items of Internet Explorer's AutoComplete type are form entries.
#include <string>

namespace companion {

// Form fields are stored as "field:StringData" and "field:StringIndex"; the stored site
// passwords of the same type are named by their address ("http://site/:StringData") and
// are left to the password item.
inline bool IsFormEntry(const std::u16string& name) {
  static const std::u16string kData = u":StringData", kIndex = u":StringIndex";
  auto endsWith = [&](const std::u16string& tail) {
    return name.size() > tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (!endsWith(kData) && !endsWith(kIndex)) return false;
  return name.find(u"://") == std::u16string::npos;
}

}  // namespace companion

#include "clean/MozillaProfileScan.h"

#include "clean/PlainPath.h"
#include "erase/WalkRules.h"
#include "platform/NameCase.h"

namespace clean {

namespace {

// Every start of `needle` in `text`, letter case ignored, overlapping ones included:
// Knuth-Morris-Pratt, so a text made to defeat a naive search still costs one pass.
std::vector<size_t> occurrences(const std::string& text, const std::string& needle) {
  std::vector<size_t> found;
  const size_t m = needle.size();
  if (m == 0 || m > text.size()) return found;
  std::vector<size_t> border(m, 0);
  for (size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && platform::upperCase(needle[i]) != platform::upperCase(needle[k])) k = border[k - 1];
    if (platform::upperCase(needle[i]) == platform::upperCase(needle[k])) ++k;
    border[i] = k;
  }
  for (size_t i = 0, k = 0; i < text.size(); ++i) {
    while (k > 0 && platform::upperCase(text[i]) != platform::upperCase(needle[k])) k = border[k - 1];
    if (platform::upperCase(text[i]) == platform::upperCase(needle[k])) ++k;
    if (k == m) {
      found.push_back(i + 1 - m);
      k = border[k - 1];
    }
  }
  return found;
}

}  // namespace

std::vector<std::string> FindSltProfiles(const std::string& registryDat, const std::string& mozillaFolder) {
  std::vector<std::string> profiles;
  if (registryDat.size() > kRegistryDatLimit || mozillaFolder.empty()) return profiles;
  const std::vector<size_t> mentions = occurrences(registryDat, mozillaFolder);
  const std::vector<size_t> slts = occurrences(registryDat, ".slt");
  const size_t prefix = mozillaFolder.size();
  const size_t room = erase::kLongestPath - std::string("\\cookies.txt").size();
  size_t m = 0, s = 0, from = 0;
  for (;;) {
    while (m < mentions.size() && mentions[m] < from) ++m;
    if (m == mentions.size()) break;
    // The ".slt" must follow the whole folder name, never fall inside it.
    while (s < slts.size() && slts[s] < mentions[m] + prefix) ++s;
    if (s == slts.size()) break;
    const size_t slt = slts[s];
    while (m + 1 < mentions.size() && mentions[m + 1] + prefix <= slt) ++m;
    const size_t restStart = mentions[m] + prefix;
    const size_t length = slt + 4 - restStart;
    if (prefix + length <= room) {
      const std::string rest = registryDat.substr(restStart, length);
      if (IsPlainRelativePath(rest)) profiles.push_back(mozillaFolder + rest);
    }
    from = slt + 4;
  }
  return profiles;
}

}  // namespace clean

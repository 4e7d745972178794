// libFuzzer target for the scan of Mozilla's profile list. The first byte picks the
// Mozilla folder (or says it is the input's first line); the rest is the file. Every
// folder found must lie below the Mozilla folder, by checks written apart from the scan.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "clean/MozillaProfileScan.h"

namespace {

const char* const kFolders[] = {
    "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\",
    "C:\\WINDOWS\\Application Data\\Mozilla\\",
    "\\\\server\\home\\user\\Mozilla\\",
    "C:\\",
};

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool endsWithSlt(const std::string& path) {
  if (path.size() < 4) return false;
  const std::string tail = path.substr(path.size() - 4);
  return tail[0] == '.' && upper(tail[1]) == 'S' && upper(tail[2]) == 'L' && upper(tail[3]) == 'T';
}

// What lies after the Mozilla folder climbs nowhere and names no other drive or share.
bool staysBelow(const std::string& rest) {
  if (rest.empty() || rest[0] == '\\') return false;
  if (rest.find(':') != std::string::npos || rest.find('/') != std::string::npos) return false;
  if (rest.find("\\\\") != std::string::npos || rest.find('\0') != std::string::npos) return false;
  const std::string wrapped = "\\" + rest + "\\";
  for (size_t at = wrapped.find("\\.", 0); at != std::string::npos; at = wrapped.find("\\.", at + 1)) {
    size_t end = at + 1;
    while (wrapped[end] == '.' || wrapped[end] == ' ') ++end;
    if (wrapped[end] == '\\') return false;  // ".", "..", ". ." and the like
  }
  return true;
}

void check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string folder, file = input;
  const size_t pick = data[0] % 5;
  if (pick < 4) {
    folder = kFolders[pick];
  } else {
    const size_t line = input.find('\n');
    if (line == std::string::npos || line > 300) return 0;
    folder = input.substr(0, line);
    file = input.substr(line + 1);
  }
  for (const std::string& profile : clean::FindSltProfiles(file, folder)) {
    check(profile.compare(0, folder.size(), folder) == 0);
    const std::string rest = profile.substr(folder.size());
    check(staysBelow(rest));
    check(endsWithSlt(profile));
    check(profile.size() + 12 <= 259);
    // The rest is the file's own text.
    check(file.find(rest) != std::string::npos);
  }
  return 0;
}

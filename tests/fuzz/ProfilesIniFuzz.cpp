// libFuzzer target for the reader of Firefox's profile list. Every profile it lets out is a
// relative path that climbs nowhere or a plain full path on a drive, and is the file's own
// text, by checks written apart from the reader.
#include <cstdint>
#include <string>

#include "FuzzChecks.h"
#include "browsers/ProfilesIni.h"

using fuzzchecks::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  std::string slashed = file;  // the file's own text with its forward slashes read as backslashes
  for (char& c : slashed)
    if (c == '/') c = '\\';
  for (const browsers::IniProfile& profile : browsers::ReadProfilesIni(file)) {
    const std::string& path = profile.path;
    if (profile.relative) {
      check(fuzzchecks::staysBelow(path));
      check(slashed.find(path) != std::string::npos);
    } else {
      check(path.size() > 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')));
      check(path[1] == ':' && path[2] == '\\');
      check(fuzzchecks::staysBelow(path.substr(3)));
      check(path.size() < 259);
      check(file.find(path) != std::string::npos);
    }
  }
  return 0;
}

// libFuzzer target for the reader of Chrome's Local State. Every profile name it lets out is
// one plain folder name of printable ASCII, and none twice, by checks written apart from the
// reader.
#include <cstdint>
#include <set>
#include <string>

#include "FuzzChecks.h"
#include "browsers/LocalState.h"

using fuzzchecks::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  std::set<std::string> seen;
  for (const std::string& name : browsers::ReadChromeProfileNames(file)) {
    check(fuzzchecks::plainName(name));
    for (char c : name) check(c >= 0x20 && c <= 0x7E);
    std::string key;
    for (char c : name) key += fuzzchecks::upper(c);
    check(seen.insert(key).second);
  }
  return 0;
}

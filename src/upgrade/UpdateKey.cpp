#include "upgrade/UpdateKey.h"

#include "upgrade/Manifest.h"

namespace upgrade {

namespace {

#define QUELLERY_TEXT(x) #x
#define QUELLERY_NUMBER_TEXT(x) QUELLERY_TEXT(x)

// Written by the build from the keys file it was given.
const TrustedKey kKeys[] = {
#include "TrustedUpdateKeys.inc"
};

}  // namespace

// Kept in the program's file, where tools/sign-update finds it.
extern const char kProgramVersionStamp[] = "Quellery program version " QUELLERY_NUMBER_TEXT(QUELLERY_PROGRAM_VERSION) ".";

std::string keyId(const uint8_t key[32]) { return toHex(key, 8); }

const TrustedKey* TrustedKeys::find(const std::string& id) const {
  for (size_t i = 0; i < count; ++i)
    if (keyId(keys[i].key) == id) return &keys[i];
  return nullptr;
}

TrustedKeys trustedUpdateKeys() { return {kKeys, sizeof kKeys / sizeof kKeys[0]}; }

int stampedVersion(const std::string& program) {
  // The stamp's words without its number, so that this text is no stamp of its own.
  std::string tag = kProgramVersionStamp;
  tag.erase(tag.rfind(' ') + 1);
  for (size_t at = program.find(tag); at != std::string::npos; at = program.find(tag, at + 1)) {
    int version = 0;
    size_t i = at + tag.size();
    for (; i < program.size() && program[i] >= '0' && program[i] <= '9' && version <= 32767; ++i)
      version = version * 10 + (program[i] - '0');
    if (i > at + tag.size() && i < program.size() && program[i] == '.' && version >= 1 && version <= 32767)
      return version;
  }
  return 0;
}

}  // namespace upgrade

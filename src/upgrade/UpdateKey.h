#pragma once
// The public keys an upgrade's manifest may be signed with, as the build read them from
// its keys file (src/upgrade/TrustedKeys.txt; tests/TestTrustedKeys.txt for tests).
#include <cstddef>
#include <cstdint>
#include <string>

namespace upgrade {

struct TrustedKey {
  const char* role;  // "current" or "next"
  uint8_t key[32];
};

// A manifest names its key by the first 8 bytes of it, as 16 hex digits.
std::string keyId(const uint8_t key[32]);

// The keys this build trusts: the current one, and the next one when listed.
struct TrustedKeys {
  const TrustedKey* keys;
  size_t count;
  const TrustedKey* find(const std::string& id) const;
};
TrustedKeys trustedUpdateKeys();

// This build's own number in the "ver" scheme of the version file. An upgrade must be
// newer than this and than the stored "ver", so that neither a lowered "ver" nor an old
// signed manifest can bring back an older program. tools/sign-update reads it from the
// program's file (the stamp below) and signs no other version.
#define QUELLERY_PROGRAM_VERSION 1
constexpr int kProgramVersion = QUELLERY_PROGRAM_VERSION;
extern const char kProgramVersionStamp[];
// The version a program's file declares in its stamp; 0 when it carries none.
int stampedVersion(const std::string& program);

}  // namespace upgrade

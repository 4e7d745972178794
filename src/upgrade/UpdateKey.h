#pragma once
// The public key an upgrade's manifest must be signed with.
#include <cstdint>

namespace upgrade {

// The maker's key, compiled in. A build configured with QUELLERY_TEST_UPDATE_KEY trusts
// the tests' key instead, and no other.
const uint8_t* trustedUpdateKey();

// This build's own number in the "ver" scheme of the version file. An upgrade must be
// newer than this and than the stored "ver", so that neither a lowered "ver" nor an old
// signed manifest can bring back an older program.
constexpr int kProgramVersion = 1;

}  // namespace upgrade

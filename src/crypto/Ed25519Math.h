#pragma once
// The curve and scalar arithmetic under Ed25519, for the verifier and for tools that sign.
#include <cstdint>

namespace crypto::ed25519 {

// The encoding of scalar x base point (the scalar as 32 little-endian bytes, any value).
void basePointTimes(uint8_t out[32], const uint8_t scalar[32]);
// A 512-bit little-endian number modulo the group order L.
void reduceModL(uint8_t out[32], const uint8_t wide[64]);
// (a x b + c) modulo L, all little-endian.
void mulAddModL(uint8_t out[32], const uint8_t a[32], const uint8_t b[32], const uint8_t c[32]);

}  // namespace crypto::ed25519

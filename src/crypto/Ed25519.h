#pragma once
// Ed25519 signature verification (RFC 8032, section 5.1.7).
#include <cstddef>
#include <cstdint>

namespace crypto {

// True only when `signature` (64 bytes) is a valid signature of the message by the holder
// of `publicKey` (32 bytes). Non-canonical encodings and S >= L are refused.
bool ed25519Verify(const uint8_t signature[64], const void* message, size_t size, const uint8_t publicKey[32]);

}  // namespace crypto

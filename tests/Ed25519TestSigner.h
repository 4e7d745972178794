#pragma once
// Ed25519 signing (RFC 8032, 5.1.6) for tests that run where libsodium is not at hand:
// the Windows tests sign a manifest for a program they have just made. Host tests prove
// it gives libsodium's signatures.
#include <cstdint>
#include <string>

#include "crypto/Ed25519Math.h"
#include "crypto/Sha512.h"

namespace testkey {

inline void ed25519Sign(uint8_t signature[64], const std::string& message, const uint8_t seed[32]) {
  crypto::Sha512Digest expanded = crypto::sha512(std::string(reinterpret_cast<const char*>(seed), 32));
  expanded[0] &= 248;
  expanded[31] &= 127;
  expanded[31] |= 64;
  uint8_t publicKey[32];
  crypto::ed25519::basePointTimes(publicKey, expanded.data());

  crypto::Sha512 nonceHash;
  nonceHash.update(expanded.data() + 32, 32);
  nonceHash.update(message.data(), message.size());
  uint8_t nonce[32];
  crypto::ed25519::reduceModL(nonce, nonceHash.finish().data());
  crypto::ed25519::basePointTimes(signature, nonce);  // R

  crypto::Sha512 challengeHash;
  challengeHash.update(signature, 32);
  challengeHash.update(publicKey, 32);
  challengeHash.update(message.data(), message.size());
  uint8_t challenge[32];
  crypto::ed25519::reduceModL(challenge, challengeHash.finish().data());
  crypto::ed25519::mulAddModL(signature + 32, challenge, expanded.data(), nonce);  // S = r + k a
}

}  // namespace testkey

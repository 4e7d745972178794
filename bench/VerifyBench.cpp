// What checking an upgrade costs: SHA-256 of a program-sized download, and one Ed25519
// verification of its manifest.
#include <chrono>
#include <cstdio>
#include <string>

#include "crypto/Ed25519.h"
#include "crypto/Sha256.h"
#include "upgrade/Manifest.h"

namespace {
double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }
}  // namespace

int main() {
  const std::string program(4u << 20, '\x5a');
  auto start = std::chrono::steady_clock::now();
  const crypto::Sha256Digest digest = crypto::sha256(program);
  const double hashSeconds = seconds(std::chrono::steady_clock::now() - start);
  std::printf("SHA-256 of 4 MiB: %.1f ms (%.0f MiB/s)  [%02x...]\n", hashSeconds * 1000, 4 / hashSeconds, digest[0]);

  // RFC 8032 TEST 2.
  uint8_t key[32], signature[64];
  upgrade::fromHex("3d4017c3e843895a92b70aa74d1b7ebc9c982ccf2ec4968cc0cd55f12af4660c", key, 32);
  upgrade::fromHex("92a009a9f0d4cab8720e820b5f642540a2b27b5416503f8fb3762223ebdb69da085ac1e43e15996e458f3613d0f11d8c387"
                   "b2eaeb4302aeeb00d291612bb0c00",
                   signature, 64);
  const char message = 0x72;
  const int rounds = 50;
  int valid = 0;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) valid += crypto::ed25519Verify(signature, &message, 1, key);
  const double verifySeconds = seconds(std::chrono::steady_clock::now() - start) / rounds;
  std::printf("Ed25519 verification: %.2f ms each (%d of %d valid)\n", verifySeconds * 1000, valid, rounds);
  return valid == rounds ? 0 : 1;
}

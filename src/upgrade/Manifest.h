#pragma once
// The signed manifest published beside an upgrade ("/qypdate.exe.sig"): which key signed
// it, which version the program is, how long it is and its SHA-256, signed with one of
// the maker's Ed25519 keys. A text:
//
//   Quellery upgrade manifest 2
//   key <16 lower-case hex digits: the first 8 bytes of the public key>
//   version 4
//   size 1234567
//   sha256 <64 lower-case hex digits>
//   signature <128 lower-case hex digits>
//
// The signature covers every byte before the "signature " line. Manifests of the first
// form ("Quellery upgrade manifest 1", no "key" line) are still read: any trusted key may
// have signed them.
#include <cstdint>
#include <optional>
#include <string>

#include "crypto/Sha256.h"
#include "upgrade/UpdateKey.h"

namespace upgrade {

struct Manifest {
  std::string keyId;  // empty in a manifest of the first form
  int version = 0;  // 1 to 32767, as the version file
  uint32_t size = 0;
  crypto::Sha256Digest sha256{};
};

// The signed part of a manifest, exactly as it is signed and published.
std::string manifestBody(const Manifest& manifest);
// The whole published text for a body and its 64-byte signature.
std::string manifestText(const std::string& body, const uint8_t signature[64]);

// The manifest when `text` is one, byte for byte as manifestBody writes it, and its
// signature verifies under the trusted key it names; nothing otherwise.
std::optional<Manifest> readManifest(const std::string& text, const TrustedKeys& keys);

// True when `program` has the manifest's size and SHA-256.
bool matchesManifest(const Manifest& manifest, const std::string& program);

std::string toHex(const uint8_t* bytes, size_t size);
// Lower-case hex of exactly `size` bytes; false otherwise.
bool fromHex(const std::string& text, uint8_t* bytes, size_t size);

}  // namespace upgrade

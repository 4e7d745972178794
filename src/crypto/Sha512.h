#pragma once
// SHA-512 (FIPS 180-4): the hash inside Ed25519.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace crypto {

using Sha512Digest = std::array<uint8_t, 64>;

class Sha512 {
 public:
  Sha512();
  void update(const void* data, size_t size);
  Sha512Digest finish();  // the object is spent afterwards

 private:
  void block(const uint8_t* p);
  uint64_t h_[8];
  uint8_t buffer_[128];
  size_t used_ = 0;
  uint64_t total_ = 0;  // bytes; nothing we hash comes near 2^61
};

Sha512Digest sha512(const std::string& data);

}  // namespace crypto

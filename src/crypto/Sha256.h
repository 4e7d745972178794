#pragma once
// SHA-256 (FIPS 180-4): the digest the upgrade manifest names its program by.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace crypto {

using Sha256Digest = std::array<uint8_t, 32>;

class Sha256 {
 public:
  Sha256();
  void update(const void* data, size_t size);
  Sha256Digest finish();  // the object is spent afterwards

 private:
  void block(const uint8_t* p);
  uint32_t h_[8];
  uint8_t buffer_[64];
  size_t used_ = 0;
  uint64_t total_ = 0;
};

Sha256Digest sha256(const std::string& data);

}  // namespace crypto

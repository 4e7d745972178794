#pragma once
// SHA-256 (FIPS 180-4): the digest the upgrade manifest names its program by.
#include "crypto/ShaEngine.h"

namespace crypto {

struct Sha256Traits {
  using Word = uint32_t;
  static constexpr int kRounds = 64;
  static const Word kRoundConstants[64];
  static const Word kInitial[8];
  static constexpr int kBigSigma0[3] = {2, 13, 22}, kBigSigma1[3] = {6, 11, 25};
  static constexpr int kSigma0[3] = {7, 18, 3}, kSigma1[3] = {17, 19, 10};
};

using Sha256 = ShaEngine<Sha256Traits>;
using Sha256Digest = Sha256::Digest;

Sha256Digest sha256(const std::string& data);

}  // namespace crypto

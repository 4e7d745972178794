#pragma once
// SHA-512 (FIPS 180-4): the hash inside Ed25519.
#include "crypto/ShaEngine.h"

namespace crypto {

struct Sha512Traits {
  using Word = uint64_t;
  static constexpr int kRounds = 80;
  static const Word kRoundConstants[80];
  static const Word kInitial[8];
  static constexpr int kBigSigma0[3] = {28, 34, 39}, kBigSigma1[3] = {14, 18, 41};
  static constexpr int kSigma0[3] = {1, 8, 7}, kSigma1[3] = {19, 61, 6};
};

using Sha512 = ShaEngine<Sha512Traits>;
using Sha512Digest = Sha512::Digest;

Sha512Digest sha512(const std::string& data);

}  // namespace crypto

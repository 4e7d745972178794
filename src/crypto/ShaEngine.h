#pragma once
// The SHA-2 construction of FIPS 180-4 shared by SHA-256 and SHA-512: message schedule,
// compression rounds, padding and big-endian length; each traits class gives the word
// size, the constants and the rotation amounts.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace crypto {

template <typename Traits>
class ShaEngine {
 public:
  using Word = typename Traits::Word;
  static constexpr size_t kWordBytes = sizeof(Word);
  static constexpr size_t kBlockBytes = 16 * kWordBytes;
  static constexpr size_t kLengthBytes = 2 * kWordBytes;  // the message length in bits
  using Digest = std::array<uint8_t, 8 * kWordBytes>;

  ShaEngine() { std::memcpy(h_, Traits::kInitial, sizeof h_); }

  void update(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    total_ += size;
    while (size > 0) {
      const size_t take = size < kBlockBytes - used_ ? size : kBlockBytes - used_;
      std::memcpy(buffer_ + used_, p, take);
      used_ += take, p += take, size -= take;
      if (used_ == kBlockBytes) {
        block(buffer_);
        used_ = 0;
      }
    }
  }

  // The object is spent afterwards.
  Digest finish() {
    const uint64_t bits = total_ * 8;  // nothing hashed here comes near 2^61 bytes
    static const uint8_t pad[kBlockBytes] = {0x80};
    const size_t room = kBlockBytes - kLengthBytes;
    update(pad, used_ < room ? room - used_ : kBlockBytes + room - used_);
    uint8_t length[kLengthBytes] = {};
    for (size_t i = 0; i < 8; ++i) length[kLengthBytes - 1 - i] = uint8_t(bits >> (8 * i));
    update(length, kLengthBytes);
    Digest out;
    for (size_t i = 0; i < 8; ++i)
      for (size_t j = 0; j < kWordBytes; ++j) out[kWordBytes * i + j] = uint8_t(h_[i] >> (8 * (kWordBytes - 1 - j)));
    return out;
  }

 private:
  static Word rotr(Word x, int n) { return (x >> n) | (x << (8 * kWordBytes - n)); }
  static Word smallSigma(Word x, const int (&r)[3]) { return rotr(x, r[0]) ^ rotr(x, r[1]) ^ (x >> r[2]); }
  static Word bigSigma(Word x, const int (&r)[3]) { return rotr(x, r[0]) ^ rotr(x, r[1]) ^ rotr(x, r[2]); }

  void block(const uint8_t* p) {
    Word w[Traits::kRounds];
    for (int t = 0; t < 16; ++t) {
      w[t] = 0;
      for (size_t i = 0; i < kWordBytes; ++i) w[t] = Word(w[t] << 8) | p[kWordBytes * t + i];
    }
    for (int t = 16; t < Traits::kRounds; ++t)
      w[t] = w[t - 16] + smallSigma(w[t - 15], Traits::kSigma0) + w[t - 7] + smallSigma(w[t - 2], Traits::kSigma1);
    Word a = h_[0], b = h_[1], c = h_[2], d = h_[3], e = h_[4], f = h_[5], g = h_[6], h = h_[7];
    for (int t = 0; t < Traits::kRounds; ++t) {
      const Word t1 = h + bigSigma(e, Traits::kBigSigma1) + ((e & f) ^ (~e & g)) + Traits::kRoundConstants[t] + w[t];
      const Word t2 = bigSigma(a, Traits::kBigSigma0) + ((a & b) ^ (a & c) ^ (b & c));
      h = g;
      g = f;
      f = e;
      e = d + t1;
      d = c;
      c = b;
      b = a;
      a = t1 + t2;
    }
    h_[0] += a, h_[1] += b, h_[2] += c, h_[3] += d, h_[4] += e, h_[5] += f, h_[6] += g, h_[7] += h;
  }

  Word h_[8];
  uint8_t buffer_[kBlockBytes];
  size_t used_ = 0;
  uint64_t total_ = 0;
};

}  // namespace crypto

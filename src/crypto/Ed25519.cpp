#include "crypto/Ed25519.h"

#include <cstring>

#include "crypto/Ed25519Math.h"
#include "crypto/Sha512.h"

// Field elements mod p = 2^255 - 19 are 16 limbs of 16 bits in int64_t, points are in
// extended coordinates (X, Y, Z, T). Nothing here handles a secret on the user's machine,
// so plain (not constant-time) comparisons are fine.

namespace crypto {

namespace {

using Fe = int64_t[16];

void copy(Fe out, const Fe a) { std::memcpy(out, a, sizeof(Fe)); }

void set(Fe out, int64_t small) {
  std::memset(out, 0, sizeof(Fe));
  out[0] = small;
}

// Brings every limb back to 16 bits; the carry out of the top wraps round as 38 (2^256 = 38).
void carry(Fe o) {
  for (int i = 0; i < 16; ++i) {
    const int64_t c = o[i] >> 16;  // arithmetic shift: floor division, negative limbs too
    o[i] -= c * 65536;
    if (i < 15)
      o[i + 1] += c;
    else
      o[0] += 38 * c;
  }
}

void add(Fe o, const Fe a, const Fe b) {
  for (int i = 0; i < 16; ++i) o[i] = a[i] + b[i];
}

void sub(Fe o, const Fe a, const Fe b) {
  for (int i = 0; i < 16; ++i) o[i] = a[i] - b[i];
}

void mul(Fe o, const Fe a, const Fe b) {
  int64_t t[31] = {};
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) t[i + j] += a[i] * b[j];
  for (int i = 0; i < 15; ++i) t[i] += 38 * t[i + 16];
  for (int i = 0; i < 16; ++i) o[i] = t[i];
  carry(o);
  carry(o);
}

void square(Fe o, const Fe a) { mul(o, a, a); }

// The unique representative below p, little-endian.
void pack(uint8_t out[32], const Fe n) {
  Fe t, m;
  copy(t, n);
  carry(t);
  carry(t);
  carry(t);
  for (int pass = 0; pass < 2; ++pass) {
    m[0] = t[0] - 0xffed;
    for (int i = 1; i < 15; ++i) {
      m[i] = t[i] - 0xffff - ((m[i - 1] >> 16) & 1);
      m[i - 1] &= 0xffff;
    }
    m[15] = t[15] - 0x7fff - ((m[14] >> 16) & 1);
    const int64_t borrow = (m[15] >> 16) & 1;
    m[14] &= 0xffff;
    if (!borrow) copy(t, m);  // t >= p: keep t - p
  }
  for (int i = 0; i < 16; ++i) {
    out[2 * i] = uint8_t(t[i] & 0xff);
    out[2 * i + 1] = uint8_t(t[i] >> 8);
  }
}

void unpack(Fe o, const uint8_t in[32]) {
  for (int i = 0; i < 16; ++i) o[i] = in[2 * i] + (int64_t(in[2 * i + 1]) << 8);
  o[15] &= 0x7fff;
}

bool equal(const Fe a, const Fe b) {
  uint8_t x[32], y[32];
  pack(x, a);
  pack(y, b);
  return std::memcmp(x, y, 32) == 0;
}

int parity(const Fe a) {
  uint8_t x[32];
  pack(x, a);
  return x[0] & 1;
}

void invert(Fe o, const Fe in) {  // in^(p-2)
  Fe c;
  copy(c, in);
  for (int a = 253; a >= 0; --a) {
    square(c, c);
    if (a != 2 && a != 4) mul(c, c, in);
  }
  copy(o, c);
}

void pow2523(Fe o, const Fe in) {  // in^((p-5)/8)
  Fe c;
  copy(c, in);
  for (int a = 250; a >= 0; --a) {
    square(c, c);
    if (a != 1) mul(c, c, in);
  }
  copy(o, c);
}

// The curve's constants, derived from their definitions rather than typed in.
struct Constants {
  Fe d, d2, sqrtMinus1, baseX, baseY;
  Constants() {
    Fe one, num, den;
    set(one, 1);
    set(num, -121665);  // d = -121665 / 121666
    set(den, 121666);
    invert(den, den);
    mul(d, num, den);
    add(d2, d, d);
    // sqrt(-1) = 2^((p-1)/4); the exponent 2^253 - 5 has bits 252 to 0 set but bit 2.
    Fe two;
    set(two, 2);
    set(sqrtMinus1, 1);
    for (int bit = 252; bit >= 0; --bit) {
      square(sqrtMinus1, sqrtMinus1);
      if (bit != 2) mul(sqrtMinus1, sqrtMinus1, two);
    }
    // Base point: y = 4/5, x the even root.
    Fe four, five;
    set(four, 4);
    set(five, 5);
    invert(five, five);
    mul(baseY, four, five);
    recoverX(baseX, baseY, 0);
  }
  // x from y and the wanted parity; false when y is on no point.
  bool recoverX(Fe x, const Fe y, int sign) const {
    Fe one, num, den, t, check;
    set(one, 1);
    square(num, y);
    mul(den, num, d);
    sub(num, num, one);  // y^2 - 1
    add(den, den, one);  // d y^2 + 1
    // x = num den^3 (num den^7)^((p-5)/8)
    Fe den2, den3, den7;
    square(den2, den);
    mul(den3, den2, den);
    square(den7, den3);
    mul(den7, den7, den);
    mul(t, num, den7);
    pow2523(t, t);
    mul(t, t, num);
    mul(x, t, den3);
    square(check, x);
    mul(check, check, den);
    if (!equal(check, num)) mul(x, x, sqrtMinus1);
    square(check, x);
    mul(check, check, den);
    if (!equal(check, num)) return false;
    if (parity(x) != sign) {
      Fe zero;
      set(zero, 0);
      sub(x, zero, x);
    }
    return true;
  }
};

const Constants& curve() {
  static const Constants constants;
  return constants;
}

struct Point {
  Fe x, y, z, t;
};

void pointAdd(Point& p, const Point& q) {
  Fe a, b, c, d, e, f, g, h, s;
  sub(a, p.y, p.x);
  sub(s, q.y, q.x);
  mul(a, a, s);
  add(b, p.x, p.y);
  add(s, q.x, q.y);
  mul(b, b, s);
  mul(c, p.t, q.t);
  mul(c, c, curve().d2);
  mul(d, p.z, q.z);
  add(d, d, d);
  sub(e, b, a);
  sub(f, d, c);
  add(g, d, c);
  add(h, b, a);
  mul(p.x, e, f);
  mul(p.y, h, g);
  mul(p.z, g, f);
  mul(p.t, e, h);
}

void packPoint(uint8_t out[32], const Point& p) {
  Fe zi, tx, ty;
  invert(zi, p.z);
  mul(tx, p.x, zi);
  mul(ty, p.y, zi);
  pack(out, ty);
  out[31] ^= uint8_t(parity(tx) << 7);
}

// scalar x q, double-and-add from the top bit.
void scalarMult(Point& out, Point q, const uint8_t scalar[32]) {
  Point p;
  set(p.x, 0);
  set(p.y, 1);
  set(p.z, 1);
  set(p.t, 0);
  for (int i = 255; i >= 0; --i) {
    const Point doubled = p;
    pointAdd(p, doubled);
    if ((scalar[i / 8] >> (i & 7)) & 1) pointAdd(p, q);
  }
  out = p;
}

Point basePoint() {
  Point b;
  copy(b.x, curve().baseX);
  copy(b.y, curve().baseY);
  set(b.z, 1);
  mul(b.t, b.x, b.y);
  return b;
}

// Decodes a point as RFC 8032 5.1.3 says, refusing y >= p and x = 0 with the sign bit set.
bool decodePoint(Point& p, const uint8_t in[32]) {
  unpack(p.y, in);
  uint8_t canonical[32];
  pack(canonical, p.y);
  canonical[31] |= in[31] & 0x80;
  if (std::memcmp(canonical, in, 32) != 0) return false;
  const int sign = in[31] >> 7;
  if (!curve().recoverX(p.x, p.y, sign)) return false;
  Fe zero;
  set(zero, 0);
  if (sign && equal(p.x, zero)) return false;
  set(p.z, 1);
  mul(p.t, p.x, p.y);
  return true;
}

// L = 2^252 + 27742317777372353535851937790883648493, little-endian.
const uint8_t kOrder[32] = {0xed, 0xd3, 0xf5, 0x5c, 0x1a, 0x63, 0x12, 0x58, 0xd6, 0x9c, 0xf7,
                            0xa2, 0xde, 0xf9, 0xde, 0x14, 0,    0,    0,    0,    0,    0,
                            0,    0,    0,    0,    0,    0,    0,    0,    0,    0x10};

// Reduces a 64-limb number of byte-sized (possibly larger or negative) limbs modulo L.
void modL(uint8_t out[32], int64_t x[64]) {
  for (int i = 63; i >= 32; --i) {
    int64_t c = 0;
    int j = i - 32;
    for (; j < i - 12; ++j) {
      x[j] += c - 16 * x[i] * kOrder[j - (i - 32)];
      c = (x[j] + 128) >> 8;
      x[j] -= c * 256;
    }
    x[j] += c;
    x[i] = 0;
  }
  int64_t c = 0;
  for (int j = 0; j < 32; ++j) {
    x[j] += c - (x[31] >> 4) * kOrder[j];
    c = x[j] >> 8;
    x[j] &= 255;
  }
  for (int j = 0; j < 32; ++j) x[j] -= c * kOrder[j];
  for (int i = 0; i < 32; ++i) {
    x[i + 1] += x[i] >> 8;
    out[i] = uint8_t(x[i] & 255);
  }
}

bool belowOrder(const uint8_t s[32]) {
  for (int i = 31; i >= 0; --i) {
    if (s[i] < kOrder[i]) return true;
    if (s[i] > kOrder[i]) return false;
  }
  return false;  // equal to L
}

}  // namespace

namespace ed25519 {

void basePointTimes(uint8_t out[32], const uint8_t scalar[32]) {
  Point p;
  scalarMult(p, basePoint(), scalar);
  packPoint(out, p);
}

void reduceModL(uint8_t out[32], const uint8_t wide[64]) {
  int64_t x[64];
  for (int i = 0; i < 64; ++i) x[i] = wide[i];
  modL(out, x);
}

void mulAddModL(uint8_t out[32], const uint8_t a[32], const uint8_t b[32], const uint8_t c[32]) {
  int64_t x[64] = {};
  for (int i = 0; i < 32; ++i) x[i] = c[i];
  for (int i = 0; i < 32; ++i)
    for (int j = 0; j < 32; ++j) x[i + j] += int64_t(a[i]) * b[j];
  modL(out, x);
}

}  // namespace ed25519

bool ed25519Verify(const uint8_t signature[64], const void* message, size_t size, const uint8_t publicKey[32]) {
  const uint8_t* r = signature;
  const uint8_t* s = signature + 32;
  if (!belowOrder(s)) return false;
  Point a;
  if (!decodePoint(a, publicKey)) return false;
  Point checkR;
  if (!decodePoint(checkR, r)) return false;

  Sha512 hash;
  hash.update(r, 32);
  hash.update(publicKey, 32);
  hash.update(message, size);
  const Sha512Digest digest = hash.finish();
  uint8_t k[32];
  ed25519::reduceModL(k, digest.data());

  // [S]B == R + [k]A, checked as encode([S]B - [k]A) == R.
  Point negA = a;
  Fe zero;
  set(zero, 0);
  sub(negA.x, zero, a.x);
  sub(negA.t, zero, a.t);
  Point kA, sB;
  scalarMult(kA, negA, k);
  scalarMult(sB, basePoint(), s);
  pointAdd(sB, kA);
  uint8_t encoded[32];
  packPoint(encoded, sB);
  return std::memcmp(encoded, r, 32) == 0;
}

}  // namespace crypto

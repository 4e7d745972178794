// SHA-256, SHA-512 and Ed25519 verification against the published test vectors (FIPS 180-4
// examples, RFC 8032 section 7.1) and against libsodium on random input.
#include <gtest/gtest.h>
#include <sodium.h>

#include <random>
#include <string>

#include "../Ed25519TestSigner.h"
#include "crypto/Ed25519.h"
#include "crypto/Sha256.h"
#include "crypto/Sha512.h"
#include "upgrade/Manifest.h"

namespace {

std::string hex(const uint8_t* bytes, size_t size) { return upgrade::toHex(bytes, size); }

std::string bytes(const std::string& hexText) {
  std::string out(hexText.size() / 2, '\0');
  EXPECT_TRUE(upgrade::fromHex(hexText, reinterpret_cast<uint8_t*>(&out[0]), out.size())) << hexText;
  return out;
}

const uint8_t* u8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

struct HashCase {
  std::string message, sha256, sha512;
};

TEST(Sha, PublishedExamples) {
  const std::string million(1000000, 'a');
  const HashCase cases[] = {
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
       "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f"},
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", ""},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1", ""},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
       "", "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018501d289e4900f7e4331b99dec4b5433ac7d329eeb6dd26545e96e55b874be909"},
      {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0",
       "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973ebde0ff244877ea60a4cb0432ce577c31beb009c5c2c49aa2e4eadb217ad8cc09b"},
  };
  for (const HashCase& c : cases) {
    const std::string name = c.message.substr(0, 16);
    if (!c.sha256.empty()) {
      EXPECT_EQ(c.sha256, hex(crypto::sha256(c.message).data(), 32)) << name;
    }
    if (!c.sha512.empty()) {
      EXPECT_EQ(c.sha512, hex(crypto::sha512(c.message).data(), 64)) << name;
    }
  }
  // Fed in uneven pieces, the digest is the same.
  crypto::Sha256 pieces;
  for (size_t at = 0, step = 1; at < million.size(); at += step, step = step * 7 % 1000 + 1)
    pieces.update(million.data() + at, std::min(step, million.size() - at));
  EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0", hex(pieces.finish().data(), 32));
}

struct SignatureCase {
  const char *secret, *publicKey, *message, *signature;
};

// RFC 8032, 7.1: TEST 1, TEST 2, TEST 3 and TEST SHA(abc).
const SignatureCase kRfc8032[] = {
    {"9d61b19deffd5a60ba844af492ec2cc44449c5697b326919703bac031cae7f60",
     "d75a980182b10ab7d54bfed3c964073a0ee172f3daa62325af021a68f707511a", "",
     "e5564300c360ac729086e2cc806e828a84877f1eb8e5d974d873e065224901555fb8821590a33bacc61e39701cf9b46bd25bf5f0595bbe24655141438e7a100b"},
    {"4ccd089b28ff96da9db6c346ec114e0f5b8a319f35aba624da8cf6ed4fb8a6fb",
     "3d4017c3e843895a92b70aa74d1b7ebc9c982ccf2ec4968cc0cd55f12af4660c", "72",
     "92a009a9f0d4cab8720e820b5f642540a2b27b5416503f8fb3762223ebdb69da085ac1e43e15996e458f3613d0f11d8c387b2eaeb4302aeeb00d291612bb0c00"},
    {"c5aa8df43f9f837bedb7442f31dcb7b166d38535076f094b85ce3a2e0b4458f7",
     "fc51cd8e6218a1a38da47ed00230f0580816ed13ba3303ac5deb911548908025", "af82",
     "6291d657deec24024827e69c3abe01a30ce548a284743a445e3680d7db5ac3ac18ff9b538d16f290ae67f760984dc6594a7c15e9716ed28dc027beceea1ec40a"},
    {"833fe62409237b9d62ec77587520911e9a759cec1d19755b7da901b96dca3d42",
     "ec172b93ad5e563bf4932c70e1245034c35467ef2efd4d64ebf819683467e2bf",
     "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f",
     "dc2a4459e7369633a52b1bf277839a00201009a3efbf3ecb69bea2186c26b58909351fc9ac90b3ecfdfbc7c66431e0303dca179c138ac17ad9bef1177331a704"},
};

TEST(Ed25519, Rfc8032VectorsVerifyAndAnyChangeFails) {
  for (const SignatureCase& c : kRfc8032) {
    const std::string key = bytes(c.publicKey), message = bytes(c.message), signature = bytes(c.signature);
    EXPECT_TRUE(crypto::ed25519Verify(u8(signature), message.data(), message.size(), u8(key))) << c.signature;
    // The tests' own signer makes the same signature from the secret.
    uint8_t made[64];
    testkey::ed25519Sign(made, message, u8(bytes(c.secret)));
    EXPECT_EQ(c.signature, hex(made, 64));

    std::string flipped = signature;
    flipped[5] ^= 1;  // R
    EXPECT_FALSE(crypto::ed25519Verify(u8(flipped), message.data(), message.size(), u8(key))) << c.signature;
    flipped = signature;
    flipped[40] ^= 0x10;  // S
    EXPECT_FALSE(crypto::ed25519Verify(u8(flipped), message.data(), message.size(), u8(key))) << c.signature;
    const std::string longer = message + "x";
    EXPECT_FALSE(crypto::ed25519Verify(u8(signature), longer.data(), longer.size(), u8(key))) << c.signature;
    std::string otherKey = key;
    otherKey[0] ^= 2;
    EXPECT_FALSE(crypto::ed25519Verify(u8(signature), message.data(), message.size(), u8(otherKey))) << c.signature;
  }
}

TEST(Ed25519, MalleableAndNonCanonicalEncodingsAreRefused) {
  const SignatureCase& c = kRfc8032[0];
  const std::string key = bytes(c.publicKey), signature = bytes(c.signature);
  // S + L verifies in the group but is not the canonical S (RFC 8032 5.1.7 step 1).
  std::string plusOrder = signature;
  const uint8_t order[32] = {0xed, 0xd3, 0xf5, 0x5c, 0x1a, 0x63, 0x12, 0x58, 0xd6, 0x9c, 0xf7,
                             0xa2, 0xde, 0xf9, 0xde, 0x14, 0,    0,    0,    0,    0,    0,
                             0,    0,    0,    0,    0,    0,    0,    0,    0,    0x10};
  int carry = 0;
  for (int i = 0; i < 32; ++i) {
    const int sum = uint8_t(plusOrder[32 + i]) + order[i] + carry;
    plusOrder[32 + i] = char(sum & 0xff);
    carry = sum >> 8;
  }
  EXPECT_FALSE(crypto::ed25519Verify(u8(plusOrder), "", 0, u8(key)));
  // A key whose y is p + 1 (not below p) names the point of y = 1 in a second spelling.
  std::string nonCanonical(32, '\xff');
  nonCanonical[0] = char(0xee);
  nonCanonical[31] = 0x7f;
  EXPECT_FALSE(crypto::ed25519Verify(u8(signature), "", 0, u8(nonCanonical)));
}

TEST(Ed25519, AgreesWithLibsodiumOnRandomMessages) {
  ASSERT_GE(sodium_init(), 0);
  std::mt19937 random(20261208);
  for (int round = 0; round < 64; ++round) {
    unsigned char publicKey[32], secretKey[64];
    crypto_sign_keypair(publicKey, secretKey);
    std::string message(random() % 3000, '\0');
    for (char& c : message) c = char(random());

    unsigned char hash256[32], hash512[64];
    crypto_hash_sha256(hash256, u8(message), message.size());
    crypto_hash_sha512(hash512, u8(message), message.size());
    EXPECT_EQ(hex(hash256, 32), hex(crypto::sha256(message).data(), 32)) << "length " << message.size();
    EXPECT_EQ(hex(hash512, 64), hex(crypto::sha512(message).data(), 64)) << "length " << message.size();

    unsigned char signature[64];
    crypto_sign_detached(signature, nullptr, u8(message), message.size(), secretKey);
    EXPECT_TRUE(crypto::ed25519Verify(signature, message.data(), message.size(), publicKey)) << "round " << round;
    uint8_t made[64];
    testkey::ed25519Sign(made, message, secretKey);  // libsodium's secret key starts with the seed
    EXPECT_EQ(hex(signature, 64), hex(made, 64)) << "round " << round;

    signature[random() % 64] ^= uint8_t(1u << (random() % 8));
    const bool sodium = crypto_sign_verify_detached(signature, u8(message), message.size(), publicKey) == 0;
    EXPECT_EQ(sodium, crypto::ed25519Verify(signature, message.data(), message.size(), publicKey)) << "round " << round;
  }
}

}  // namespace

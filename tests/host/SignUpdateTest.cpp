// tools/sign-update signs only what an installed copy will accept: with a key a build
// trusts, and the version the program's file declares.
#include <gtest/gtest.h>
#include <sodium.h>

#include "../TestUpdateKey.h"
#include "SignUpdate.h"
#include "upgrade/Manifest.h"

namespace {

// The keys of tests/TestTrustedKeys.txt, as a shipped build lists its own.
const upgrade::TrustedKeys& testKeys() {
  static const upgrade::TrustedKeys keys = upgrade::trustedUpdateKeys();
  return keys;
}

std::string programOfVersion(const std::string& number) {
  return std::string(3000, 'P') + "Quellery program version " + number + "." + std::string(100, '\0');
}

std::array<uint8_t, 32> seedOf(const char* hex) {
  std::array<uint8_t, 32> seed{};
  upgrade::fromHex(hex, seed.data(), 32);
  return seed;
}

}  // namespace

TEST(SignUpdate, SignsTheProgramsOwnVersionWithATrustedKey) {
  ASSERT_GE(sodium_init(), 0);
  const std::string program = programOfVersion("4");
  for (const char* seedHex : {testkey::kSecretSeedHex, testkey::kNextSecretSeedHex}) {
    std::string manifest;
    EXPECT_EQ("", signupdate::signManifest(seedOf(seedHex).data(), program, "4", testKeys(), &manifest));
    const std::optional<upgrade::Manifest> read = upgrade::readManifest(manifest, testKeys());
    ASSERT_TRUE(read) << manifest;
    EXPECT_EQ(4, read->version);
    EXPECT_EQ(program.size(), read->size);
  }
  std::string manifest;
  signupdate::signManifest(seedOf(testkey::kNextSecretSeedHex).data(), program, "4", testKeys(), &manifest);
  EXPECT_EQ(0u, manifest.find(std::string("Quellery upgrade manifest 2\nkey ") +
                              std::string(testkey::kNextPublicKeyHex, 16) + "\nversion 4\n"));
}

TEST(SignUpdate, RefusesKeysNoBuildTrustsAndVersionsNotThePrograms) {
  ASSERT_GE(sodium_init(), 0);
  std::string manifest;
  const std::array<uint8_t, 32> unknown = seedOf("0101010101010101010101010101010101010101010101010101010101010101");
  EXPECT_NE("", signupdate::signManifest(unknown.data(), programOfVersion("4"), "4", testKeys(), &manifest));
  const std::array<uint8_t, 32> current = seedOf(testkey::kSecretSeedHex);
  const struct {
    const char* declared;
    const char* asked;
  } cases[] = {{"4", "3"}, {"4", "5"}, {"4", "04"}, {"4", "4 "}, {"12", "1"}, {"", "1"}, {"x", "1"}};
  for (const auto& c : cases)
    EXPECT_NE("", signupdate::signManifest(current.data(), programOfVersion(c.declared), c.asked, testKeys(), &manifest))
        << "declared " << c.declared << ", asked " << c.asked;
  EXPECT_EQ("", manifest) << "a refusal writes nothing";
}

TEST(SignUpdate, ReadsTheStampThisProgramCarries) {
  EXPECT_EQ(upgrade::kProgramVersion, upgrade::stampedVersion(upgrade::kProgramVersionStamp));
  EXPECT_EQ(0, upgrade::stampedVersion("Quellery program version ."));
  EXPECT_EQ(0, upgrade::stampedVersion("Quellery program version 99999."));
}

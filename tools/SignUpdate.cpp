#include "SignUpdate.h"

#include <sodium.h>

#include "crypto/Sha256.h"
#include "upgrade/Manifest.h"

namespace signupdate {

namespace {

// A decimal from 1 to 32767, nothing else; 0 otherwise.
int versionOf(const std::string& text) {
  if (text.empty() || text.size() > 5 || text[0] == '0') return 0;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value <= 32767 ? value : 0;
}

}  // namespace

std::string signedManifest(const std::string& keyId, int version, const std::string& program,
                           const unsigned char* secretKey) {
  upgrade::Manifest m;
  m.keyId = keyId;
  m.version = version;
  m.size = uint32_t(program.size());
  m.sha256 = crypto::sha256(program);
  const std::string body = upgrade::manifestBody(m);
  unsigned char signature[64];
  crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(body.data()), body.size(),
                       secretKey);
  return upgrade::manifestText(body, signature);
}

std::string signManifest(const uint8_t seed[32], const std::string& program, const std::string& versionText,
                         const upgrade::TrustedKeys& trusted, std::string* manifest) {
  unsigned char publicKey[32], secretKey[64];
  crypto_sign_seed_keypair(publicKey, secretKey, seed);
  const std::string id = upgrade::keyId(publicKey);
  const upgrade::TrustedKey* key = trusted.find(id);
  if (!key || sodium_memcmp(key->key, publicKey, 32) != 0) {
    sodium_memzero(secretKey, sizeof secretKey);
    return "the key " + upgrade::toHex(publicKey, 32) +
           " is not in src/upgrade/TrustedKeys.txt: no installed copy would accept what it signs";
  }
  const int version = versionOf(versionText);
  const int declared = upgrade::stampedVersion(program);
  if (version == 0 || program.size() > 0xFFFFFFFFu || version != declared) {
    sodium_memzero(secretKey, sizeof secretKey);
    if (declared == 0) return "the program declares no version (kProgramVersion in src/upgrade/UpdateKey.h)";
    return "the program is version " + std::to_string(declared) + ", not " + versionText;
  }
  const std::string text = signedManifest(id, version, program, secretKey);
  sodium_memzero(secretKey, sizeof secretKey);
  // What the program will check, checked here first.
  if (!upgrade::readManifest(text, trusted)) return "the manifest does not verify";
  *manifest = text;
  return {};
}

}  // namespace signupdate

// sign-update: makes the signed manifest that the program demands beside an upgrade.
//   sign-update --new-key SECRET.key            a new key pair; prints the public key
//   sign-update --public-key SECRET.key         prints the public key of a secret key
//   sign-update SECRET.key PROGRAM.exe VERSION  prints the manifest of PROGRAM.exe
// A secret key file holds the 32-byte Ed25519 seed as 64 hex digits. Signs only with a key
// of src/upgrade/TrustedKeys.txt and only the version PROGRAM.exe declares.
#include <sodium.h>
#include <sys/stat.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "SignUpdate.h"
#include "upgrade/Manifest.h"

namespace {

int usage() {
  std::cerr << "usage: sign-update --new-key SECRET.key\n"
               "       sign-update --public-key SECRET.key\n"
               "       sign-update SECRET.key PROGRAM.exe VERSION > qypdate.exe.sig\n";
  return 2;
}

bool readFile(const std::string& path, std::string* data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  *data = all.str();
  return true;
}

bool readSeed(const std::string& path, unsigned char seed[32]) {
  std::string text;
  if (!readFile(path, &text)) return false;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return upgrade::fromHex(text, seed, 32);
}

bool loadKey(const std::string& path, unsigned char publicKey[32], unsigned char secretKey[64]) {
  unsigned char seed[32];
  if (!readSeed(path, seed)) return false;
  crypto_sign_seed_keypair(publicKey, secretKey, seed);
  sodium_memzero(seed, sizeof seed);
  return true;
}

void printPublicKey(const unsigned char publicKey[32]) {
  std::cout << "public key " << upgrade::toHex(publicKey, 32) << "\nkey id " << upgrade::keyId(publicKey)
            << "\nits line in src/upgrade/TrustedKeys.txt: current " << upgrade::toHex(publicKey, 32)
            << "\n(or \"next\" in place of \"current\" for the key that will take over)" << std::endl;
}

int newKey(const std::string& path) {
  struct stat existing;
  if (stat(path.c_str(), &existing) == 0) {
    std::cerr << "sign-update: " << path << " exists; not overwritten\n";
    return 1;
  }
  unsigned char seed[32], publicKey[32], secretKey[64];
  randombytes_buf(seed, sizeof seed);
  crypto_sign_seed_keypair(publicKey, secretKey, seed);
  const mode_t old = umask(077);  // the secret is for its owner's eyes only
  std::ofstream out(path);
  umask(old);
  out << upgrade::toHex(seed, sizeof seed) << "\n";
  sodium_memzero(seed, sizeof seed);
  if (!out.flush()) {
    std::cerr << "sign-update: cannot write " << path << "\n";
    return 1;
  }
  printPublicKey(publicKey);
  return 0;
}

// The keys a shipped program trusts, as the build read them from src/upgrade/TrustedKeys.txt.
const upgrade::TrustedKey kShippedKeys[] = {
#include "ShippedUpdateKeys.inc"
};

int sign(const std::string& keyPath, const std::string& programPath, const std::string& versionText) {
  std::string program;
  unsigned char seed[32];
  if (!readSeed(keyPath, seed)) {
    std::cerr << "sign-update: " << keyPath << " is no secret key file\n";
    return 1;
  }
  if (!readFile(programPath, &program)) {
    std::cerr << "sign-update: cannot read " << programPath << "\n";
    return 1;
  }
  std::string manifest;
  const std::string refusal = signupdate::signManifest(
      seed, program, versionText, {kShippedKeys, sizeof kShippedKeys / sizeof kShippedKeys[0]}, &manifest);
  sodium_memzero(seed, sizeof seed);
  if (!refusal.empty()) {
    std::cerr << "sign-update: " << refusal << "\n";
    return 1;
  }
  std::cout << manifest;
  return std::cout.flush() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (sodium_init() < 0) return 1;
  if (argc == 3 && std::string(argv[1]) == "--new-key") return newKey(argv[2]);
  if (argc == 3 && std::string(argv[1]) == "--public-key") {
    unsigned char publicKey[32], secretKey[64];
    if (!loadKey(argv[2], publicKey, secretKey)) return usage();
    printPublicKey(publicKey);
    return 0;
  }
  if (argc == 4 && argv[1][0] != '-') return sign(argv[1], argv[2], argv[3]);
  return usage();
}

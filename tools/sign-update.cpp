// sign-update: makes the signed manifest that the program demands beside an upgrade.
//   sign-update --new-key SECRET.key            a new key pair; prints the public key
//   sign-update --public-key SECRET.key         prints the public key of a secret key
//   sign-update SECRET.key PROGRAM.exe VERSION  prints the manifest of PROGRAM.exe
// A secret key file holds the 32-byte Ed25519 seed as 64 hex digits.
#include <sodium.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "crypto/Sha256.h"
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

bool loadKey(const std::string& path, unsigned char publicKey[32], unsigned char secretKey[64]) {
  std::string text;
  if (!readFile(path, &text)) return false;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  unsigned char seed[32];
  if (!upgrade::fromHex(text, seed, sizeof seed)) return false;
  crypto_sign_seed_keypair(publicKey, secretKey, seed);
  sodium_memzero(seed, sizeof seed);
  return true;
}

void printPublicKey(const unsigned char publicKey[32]) {
  std::cout << "public key " << upgrade::toHex(publicKey, 32) << "\nas C++:";
  for (int i = 0; i < 32; ++i) std::printf("%s0x%02x", i % 8 ? ", " : (i ? ",\n    " : "\n    "), publicKey[i]);
  std::cout << std::endl;
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

int sign(const std::string& keyPath, const std::string& programPath, const std::string& versionText) {
  unsigned char publicKey[32], secretKey[64];
  if (!loadKey(keyPath, publicKey, secretKey)) {
    std::cerr << "sign-update: " << keyPath << " is no secret key file\n";
    return 1;
  }
  std::string program;
  if (!readFile(programPath, &program)) {
    std::cerr << "sign-update: cannot read " << programPath << "\n";
    return 1;
  }
  upgrade::Manifest manifest;
  try {
    size_t used = 0;
    manifest.version = std::stoi(versionText, &used);
    if (used != versionText.size()) throw std::invalid_argument(versionText);
  } catch (const std::exception&) {
    manifest.version = 0;
  }
  if (manifest.version < 1 || manifest.version > 32767 || program.size() > 0xFFFFFFFFu) {
    std::cerr << "sign-update: the version must be a number from 1 to 32767\n";
    return 1;
  }
  manifest.size = uint32_t(program.size());
  manifest.sha256 = crypto::sha256(program);
  const std::string body = upgrade::manifestBody(manifest);
  unsigned char signature[64];
  crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(body.data()), body.size(),
                       secretKey);
  sodium_memzero(secretKey, sizeof secretKey);
  const std::string text = upgrade::manifestText(body, signature);
  // What the program will check, checked here first.
  if (!upgrade::readManifest(text, publicKey)) {
    std::cerr << "sign-update: the manifest does not verify\n";
    return 1;
  }
  std::cout << text;
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

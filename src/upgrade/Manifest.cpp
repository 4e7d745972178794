#include "upgrade/Manifest.h"

#include "crypto/Ed25519.h"

namespace upgrade {

namespace {

const char kHeader[] = "Quellery upgrade manifest 2\n";
const char kFirstHeader[] = "Quellery upgrade manifest 1\n";
const char kSignatureTag[] = "signature ";

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A decimal number of 1 to 10 digits without sign or leading zero; false otherwise.
bool decimal(const std::string& text, uint64_t* value) {
  if (text.empty() || text.size() > 10 || text[0] == '0') return false;
  uint64_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + uint64_t(c - '0');
  }
  *value = n;
  return true;
}

// The text after "name " on the line starting at `pos`; advances past the line.
bool field(const std::string& body, size_t* pos, const std::string& name, std::string* value) {
  if (body.compare(*pos, name.size() + 1, name + " ") != 0) return false;
  const size_t end = body.find('\n', *pos);
  if (end == std::string::npos) return false;
  *value = body.substr(*pos + name.size() + 1, end - *pos - name.size() - 1);
  *pos = end + 1;
  return true;
}

}  // namespace

std::string toHex(const uint8_t* bytes, size_t size) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

bool fromHex(const std::string& text, uint8_t* bytes, size_t size) {
  if (text.size() != 2 * size) return false;
  for (size_t i = 0; i < size; ++i) {
    const int high = hexDigit(text[2 * i]), low = hexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = uint8_t(high * 16 + low);
  }
  return true;
}

std::string manifestBody(const Manifest& manifest) {
  const std::string head = manifest.keyId.empty() ? kFirstHeader : std::string(kHeader) + "key " + manifest.keyId + "\n";
  return head + "version " + std::to_string(manifest.version) + "\n" + "size " +
         std::to_string(manifest.size) + "\n" + "sha256 " + toHex(manifest.sha256.data(), manifest.sha256.size()) +
         "\n";
}

std::string manifestText(const std::string& body, const uint8_t signature[64]) {
  return body + kSignatureTag + toHex(signature, 64) + "\n";
}

std::optional<Manifest> readManifest(const std::string& text, const TrustedKeys& keys) {
  const size_t tag = text.rfind(std::string("\n") + kSignatureTag);
  if (tag == std::string::npos) return std::nullopt;
  const std::string body = text.substr(0, tag + 1);
  std::string signatureText = text.substr(tag + 1 + sizeof kSignatureTag - 1);
  if (signatureText.size() != 129 || signatureText.back() != '\n') return std::nullopt;
  signatureText.pop_back();
  uint8_t signature[64];
  if (!fromHex(signatureText, signature, sizeof signature)) return std::nullopt;

  Manifest manifest;
  size_t pos = 0;
  bool signedBy = false;
  if (body.compare(0, sizeof kHeader - 1, kHeader) == 0) {
    pos = sizeof kHeader - 1;
    // Only the key it names; a key no build of ours trusts names nothing.
    const TrustedKey* key = field(body, &pos, "key", &manifest.keyId) ? keys.find(manifest.keyId) : nullptr;
    signedBy = key && crypto::ed25519Verify(signature, body.data(), body.size(), key->key);
  } else if (body.compare(0, sizeof kFirstHeader - 1, kFirstHeader) == 0) {
    pos = sizeof kFirstHeader - 1;
    for (size_t i = 0; i < keys.count && !signedBy; ++i)
      signedBy = crypto::ed25519Verify(signature, body.data(), body.size(), keys.keys[i].key);
  }
  if (!signedBy) return std::nullopt;

  // Signed by the maker; still read strictly, so that one text has one meaning.
  std::string version, size, digest;
  if (!field(body, &pos, "version", &version) || !field(body, &pos, "size", &size) ||
      !field(body, &pos, "sha256", &digest) || pos != body.size())
    return std::nullopt;
  uint64_t number = 0;
  if (!decimal(version, &number) || number > 32767) return std::nullopt;
  manifest.version = int(number);
  if (!decimal(size, &number) || number > 0xFFFFFFFFu) return std::nullopt;
  manifest.size = uint32_t(number);
  if (!fromHex(digest, manifest.sha256.data(), manifest.sha256.size())) return std::nullopt;
  if (manifestBody(manifest) != body) return std::nullopt;
  return manifest;
}

bool matchesManifest(const Manifest& manifest, const std::string& program) {
  return program.size() == manifest.size && crypto::sha256(program) == manifest.sha256;
}

}  // namespace upgrade

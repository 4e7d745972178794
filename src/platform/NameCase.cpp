#include "platform/NameCase.h"

namespace platform {

char upperCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - ('a' - 'A'));
  // à to þ, but for ÷ (and ß, which has no capital of one letter).
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
  switch (u) {
    case 0x9A: return static_cast<char>(0x8A);  // š
    case 0x9C: return static_cast<char>(0x8C);  // œ
    case 0x9E: return static_cast<char>(0x8E);  // ž
    case 0xFF: return static_cast<char>(0x9F);  // ÿ
    default: return c;
  }
}

std::string upperCased(std::string text) {
  for (char& c : text) c = upperCase(c);
  return text;
}

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size() || a.empty()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (upperCase(a[i]) != upperCase(b[i])) return false;
  return true;
}

}  // namespace platform

#include "cookies/XmlText.h"

#include <cstdint>
#include <utility>

namespace cookies {

namespace {

void appendUtf8(uint32_t code, std::string* text) {
  if (code < 0x80) {
    *text += static_cast<char>(code);
  } else if (code < 0x800) {
    *text += static_cast<char>(0xC0 | (code >> 6));
    *text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *text += static_cast<char>(0xE0 | (code >> 12));
    *text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *text += static_cast<char>(0xF0 | (code >> 18));
    *text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

int digitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "#38" or "#x26": the character it names, or false.
bool readNumber(const std::string& name, uint32_t* code) {
  const bool hex = name.size() > 1 && name[1] == 'x';
  const int base = hex ? 16 : 10;
  const size_t first = hex ? 2 : 1;
  if (name.size() <= first || name.size() - first > 6) return false;
  uint32_t value = 0;
  for (size_t i = first; i < name.size(); ++i) {
    const int digit = digitValue(name[i], base);
    if (digit < 0) return false;
    value = value * base + digit;
  }
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *code = value;
  return true;
}

bool readReference(const std::string& name, std::string* text) {
  static const struct {
    const char* name;
    char character;
  } kNamed[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& named : kNamed)
    if (name == named.name) {
      *text += named.character;
      return true;
    }
  uint32_t code = 0;
  if (name.empty() || name[0] != '#' || !readNumber(name, &code)) return false;
  appendUtf8(code, text);
  return true;
}

}  // namespace

bool DecodeXmlText(const std::string& raw, std::string* text) {
  std::string decoded;
  for (size_t at = 0; at < raw.size(); ++at) {
    if (raw[at] != '&') {
      decoded += raw[at];
      continue;
    }
    const size_t end = raw.find(';', at);
    if (end == std::string::npos || !readReference(raw.substr(at + 1, end - at - 1), &decoded)) return false;
    at = end;
  }
  *text = std::move(decoded);
  return true;
}

}  // namespace cookies

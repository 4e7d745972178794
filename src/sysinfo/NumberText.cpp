#include "sysinfo/NumberText.h"

namespace hardware {

std::string numberText(int64_t value) { return (value < 0 ? "" : " ") + std::to_string(value); }

std::string hexText(uint64_t value) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), digits[value & 0xF]);
    value >>= 4;
  } while (value);
  return text;
}

}  // namespace hardware

#include "ui/ByteSize.h"

namespace ui {

std::string byteSizeText(uint64_t bytes) {
  if (bytes < 1000) return std::to_string(bytes) + " bytes";
  static const char* const units[] = {"KB", "MB", "GB", "TB", "PB"};
  uint64_t unit = 1024;
  int u = 0;
  while (u < 4 && bytes >= 1000 * unit) {
    unit *= 1024;
    ++u;
  }
  // Hundredths of the unit, without overflowing: the remainder is below the unit.
  const uint64_t hundredths = bytes / unit * 100 + bytes % unit * 100 / unit;
  std::string number;
  if (hundredths < 1000) {
    const uint64_t cents = hundredths % 100;
    number = std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
  } else if (hundredths < 10000) {
    number = std::to_string(hundredths / 100) + "." + std::to_string(hundredths / 10 % 10);
  } else {
    number = std::to_string(hundredths / 100);
  }
  return number + " " + units[u];
}

}  // namespace ui

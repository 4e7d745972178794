#include "clean/PlainPath.h"

namespace clean {

namespace {

bool allowedInName(char c) {
  if (static_cast<unsigned char>(c) < 0x20) return false;
  for (const char* bad = "<>:\"/|?*"; *bad; ++bad)
    if (c == *bad) return false;
  return true;
}

}  // namespace

bool IsPlainRelativePath(const std::string& text) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    if (end == start) return false;
    for (size_t i = start; i < end; ++i)
      if (!allowedInName(text[i])) return false;
    // Windows drops trailing dots and blanks: "x." names x, and "..", ". ." climb.
    if (text[end - 1] == '.' || text[end - 1] == ' ') return false;
    start = end + 1;
  }
  return true;
}

}  // namespace clean

#include "shredder/ShredStream.h"

namespace shredder {

namespace {

void repeat(std::string& out, const std::string& piece, int times) {
  for (int i = 0; i < times; ++i) out += piece;
}

}  // namespace

int repetitionFactor(int levelIndex) { return (levelIndex + 1) * 100; }

std::string shredStream(int n) {
  const std::string ten("\x0A\x00\x00\x00", 4);  // the 32-bit integer 10
  std::string out;
  out.reserve(static_cast<size_t>(52 * n + 440));
  repeat(out, ten, n);
  repeat(out, "\xEA\xDE", n);
  repeat(out, "\x31\xE7", n);
  repeat(out, "\x31\x30", 10 * n);
  out.append(static_cast<size_t>(2 * n), '\x2E');
  for (char c : {'\x56', '\x65', '\x72', '\x97', '\x31', '\x2E', '\x30', '\x2E', '\x30'})
    out.append(static_cast<size_t>(n), c);
  repeat(out, ten, 3 * n + 110);
  out.append(static_cast<size_t>(n), '\0');
  return out;
}

}  // namespace shredder

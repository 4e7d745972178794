#pragma once
// The fixed byte stream a shredded file is overwritten with.
#include <cstddef>
#include <string>

namespace shredder {

// The repetition factor of a security level: (list index + 1) x 100.
int repetitionFactor(int levelIndex);
// The stream for factor N: 52 x N + 440 bytes.
std::string shredStream(int factor);

}  // namespace shredder

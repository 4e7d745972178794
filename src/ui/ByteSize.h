#pragma once
// Sizes as Windows shows them: "532 bytes", "1.50 KB", "12.3 KB", "0.97 MB".
#include <cstdint>
#include <string>

namespace ui {

// Three significant digits, cut rather than rounded; a figure of 1000 or more goes to
// the next unit, as 1000 KB is "0.97 MB".
std::string byteSizeText(uint64_t bytes);

}  // namespace ui

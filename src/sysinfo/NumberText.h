#pragma once
// How the hardware page writes its numbers.
#include <cstdint>
#include <string>

namespace hardware {

// Decimal with one blank before a number that is not negative (" 4096", "-1").
std::string numberText(int64_t value);
// Upper-case hexadecimal digits, no prefix, no leading zeros ("7FFEFFFF").
std::string hexText(uint64_t value);

}  // namespace hardware

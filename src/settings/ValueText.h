#pragma once
// How stored texts become control values: the lenient leading-number read, the strict
// whole-text number and the truth value, with the rounding the controls use.
#include <string>

namespace settings {

// Drops the blanks (spaces) at both ends.
std::string trimBlanks(const std::string& text);

// The number the text begins with, 0 when it begins with none. Blanks, tabs and line
// feeds are skipped anywhere; "&H" and "&O" start hexadecimal and octal numbers.
double leadingNumber(const std::string& text);

// The whole text (blanks around it allowed) read as a decimal or "&H"/"&O" number.
// False for an empty text or anything after the number.
bool parseNumber(const std::string& text, double* value);

// Nearest whole number, halves to the even neighbour. False when it does not fit an int.
bool roundToInt(double value, int* result);

// parseNumber, then roundToInt.
bool toInt(const std::string& text, int* result);

// "True" or "False" in any letter case, or a number (non-zero is true).
bool toBool(const std::string& text, bool* result);

inline const char* boolText(bool value) { return value ? "True" : "False"; }

}  // namespace settings

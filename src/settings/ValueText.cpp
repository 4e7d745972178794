#include "settings/ValueText.h"

#include <cctype>
#include <cmath>
#include <climits>
#include <cstdlib>

namespace settings {

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Reads a number at the start of `s` (no blanks inside); `used` is how many characters
// it took, 0 when there is no number.
double readNumber(const std::string& s, size_t* used) {
  *used = 0;
  size_t i = 0;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    i = 2;
    double value = 0;
    const size_t first = i;
    for (; i < s.size(); ++i) {
      const int c = std::tolower(static_cast<unsigned char>(s[i]));
      int digit = std::isdigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
      if (digit >= base) break;
      value = value * base + digit;
    }
    if (i == first) return 0;
    *used = i;
    return value;
  }
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  }
  if (digits == 0) return 0;
  size_t end = i;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j, ++expDigits;
    if (expDigits) end = j;
  }
  std::string number = s.substr(0, end);
  for (char& c : number)
    if (c == 'd' || c == 'D') c = 'e';
  *used = end;
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace

std::string trimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

double leadingNumber(const std::string& text) {
  std::string packed;
  for (char c : text)
    if (!isSkipped(c)) packed += c;
  size_t used = 0;
  return readNumber(packed, &used);
}

bool parseNumber(const std::string& text, double* value) {
  const std::string s = trimBlanks(text);
  size_t used = 0;
  const double number = readNumber(s, &used);
  if (used == 0 || used != s.size()) return false;
  *value = number;
  return true;
}

bool roundToInt(double value, int* result) {
  if (!std::isfinite(value)) return false;
  const double rounded = std::nearbyint(value);  // the default mode sends halves to even
  if (rounded < INT_MIN || rounded > INT_MAX) return false;
  *result = static_cast<int>(rounded);
  return true;
}

bool toInt(const std::string& text, int* result) {
  double value = 0;
  return parseNumber(text, &value) && roundToInt(value, result);
}

bool toBool(const std::string& text, bool* result) {
  const std::string word = lower(trimBlanks(text));
  if (word == "true" || word == "false") {
    *result = word == "true";
    return true;
  }
  double value = 0;
  if (!parseNumber(word, &value)) return false;
  *result = value != 0;
  return true;
}

}  // namespace settings

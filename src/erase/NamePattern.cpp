#include "erase/NamePattern.h"

#include <vector>

#include "platform/NameCase.h"

namespace erase {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool matchFrom(const char* pattern, const char* name) {
  for (;; ++pattern, ++name) {
    if (*pattern == '*') {
      for (const char* rest = name;; ++rest) {
        if (matchFrom(pattern + 1, rest)) return true;
        if (!*rest) return false;
      }
    }
    if (*pattern == '#') {
      // Each run of one digit or more, so that "#0" still takes "10".
      for (const char* end = name; isDigit(*end);)
        if (matchFrom(pattern + 1, ++end)) return true;
      return false;
    }
    if (!*pattern) return !*name;
    if (!*name || platform::upperCase(*pattern) != platform::upperCase(*name)) return false;
  }
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
    parts.push_back(text.substr(start, end - start));
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

bool nameMatchesAny(const std::string& patterns, const std::string& name) {
  if (name.empty()) return false;
  for (const std::string& pattern : split(patterns, '|'))
    if (!pattern.empty() && matchFrom(pattern.c_str(), name.c_str())) return true;
  return false;
}

bool pathMatchesAny(const std::string& patterns, const std::string& relative) {
  const std::vector<std::string> names = split(relative, '\\');
  for (const std::string& pattern : split(patterns, '|')) {
    const std::vector<std::string> parts = split(pattern, '\\');
    if (pattern.empty() || parts.size() != names.size()) continue;
    bool all = true;
    for (size_t i = 0; all && i < parts.size(); ++i) all = nameMatchesAny(parts[i], names[i]);
    if (all) return true;
  }
  return false;
}

bool isNamePattern(const std::string& name) { return name.find_first_of("*#") != std::string::npos; }

}  // namespace erase

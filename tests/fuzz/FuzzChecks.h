#pragma once
// What every name a profile-list reader lets out must be, written apart from the readers.
#include <cstdlib>
#include <string>

namespace fuzzchecks {

inline void check(bool holds) {
  if (!holds) std::abort();
}

inline char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// A name Windows opens as a device wherever it stands.
inline bool isDevice(const std::string& name) {
  std::string base;
  for (char c : name.substr(0, name.find('.'))) base += upper(c);
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"})
    if (base == device) return true;
  return base.size() == 4 && (base.substr(0, 3) == "COM" || base.substr(0, 3) == "LPT") && base[3] >= '1' &&
         base[3] <= '9';
}

// One name of a folder: not empty, no character Windows reads otherwise, no dot or blank at
// its end (so never "." or ".."), no device.
inline bool plainName(const std::string& name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || std::string("<>:\"/|?*\\").find(c) != std::string::npos) return false;
  return !isDevice(name);
}

// Plain names joined by single backslashes: it climbs nowhere and names no drive or share.
inline bool staysBelow(const std::string& rest) {
  size_t start = 0;
  for (;;) {
    const size_t end = rest.find('\\', start);
    if (!plainName(rest.substr(start, end == std::string::npos ? std::string::npos : end - start))) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

}  // namespace fuzzchecks

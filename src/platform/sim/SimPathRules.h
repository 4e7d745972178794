#pragma once
// How Win32 reads a narrow path before any file system sees it (SimPathRules.cpp).
#include <string>
#include <vector>

namespace platform::sim {

constexpr long kInvalidName = 123;  // ERROR_INVALID_NAME

struct Win32Path {
  long error = 0;                  // PathNotFound or kInvalidName when it names nothing
  char drive = 0;                  // 'C'
  std::vector<std::string> names;  // below the drive's root, as the file system gets them
  std::string device;              // "NUL", "COM1": a device, not a file on a drive
  bool literal = false;            // "\\?\": taken as spelt
};

// `ntFamily` false plays Windows 95, 98 and ME, which know no "\\?\" prefix.
Win32Path ReadWin32Path(const std::string& path, bool ntFamily);

// The name Win32 makes of the last name of a path: trailing dots and blanks dropped.
std::string LastNameAsRead(const std::string& name);

}  // namespace platform::sim

// How Win32 reads a narrow path (RtlDosPathNameToNtPathName), measured under Wine 8 with
// GetFullPathNameA, CreateFileA and FindFirstFileA, and as Windows documents it. Where
// the two differ the sim does what Windows does; Wine's way is noted in brackets.
//  - "/" is "\", doubled "\" count once, "." names drop out and ".." climbs (never above
//    the drive's root).
//  - A name followed by "\" loses one trailing dot: "a.\b" is a\b, "a..\b" is a.\b. Its
//    trailing blanks stay: "a \b" is b in a folder "a " of its own.
//  - The last name loses every trailing dot and blank: "foo.txt.", "foo.txt " and
//    "foo.txt. ." all open foo.txt.
//  - A last name CON, PRN, AUX, NUL, COM1-COM9 or LPT1-LPT9, in any case, with any
//    extension or blanks ("CON.txt", "nul  .txt", "COM9.x.y") and in any folder, names the
//    device: GetFullPathNameA gives "\\.\NUL" for "x\NUL.txt". A device reads as a plain
//    file (attributes 0x20), FindFirstFileA lists it under the name asked, deleting it
//    fails with ERROR_INVALID_PARAMETER; NUL reads empty and takes any write.
//    [Wine opens "x\NUL.txt" only where x exists, and makes "NUL.txt" a folder when asked.]
//  - "\\.\" is followed by a path read by the rules above ("\\.\C:\t\a.\b" opens C:\t\a\b)
//    or a device ("\\.\NUL").
//  - "\\?\" turns the rules off: the rest is taken as spelt, "\\?\C:\t\foo.txt." misses
//    foo.txt and creates a file "foo.txt.", and a "." or ".." name is invalid (123).
//    [Wine's FindFirstFileA still drops the dot there.] 95, 98 and ME know no such prefix.
//  - A long name's 8.3 name is given once, when the file is made, and kept: a name made
//    later takes another and shifts nobody. [Wine derives it from a hash of the name.]
//  - "\x" is on the current drive. The sim keeps each drive's root as its current folder
//    and no current drive: "C:x" is C:\x, and "x" names nothing (unless it is a device).

#include "platform/sim/SimPathRules.h"

#include <cctype>

#include "platform/NameCase.h"
#include "platform/WinError.h"

namespace platform::sim {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::string deviceOf(const std::string& lastName) {
  std::string base = platform::upperCased(LastNameAsRead(lastName));
  base = base.substr(0, base.find('.'));
  base = base.substr(0, base.find_last_not_of(' ') + 1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (base == device) return base;
  const bool numbered = base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
                        base[3] >= '1' && base[3] <= '9';
  return numbered ? base : std::string();
}

bool hasDrive(const std::string& path, size_t at) {
  return path.size() >= at + 2 && std::isalpha(static_cast<unsigned char>(path[at])) && path[at + 1] == ':';
}

Win32Path literalPath(const std::string& path) {
  Win32Path p;
  p.literal = true;
  if (!hasDrive(path, 4) || (path.size() > 6 && path[6] != '\\')) {
    p.error = winerr::PathNotFound;
    return p;
  }
  p.drive = platform::upperCase(path[4]);
  std::string name;
  for (size_t i = 7; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\') {
      name += path[i];
      continue;
    }
    const bool trailing = i == path.size() || i + 1 == path.size();
    if (name.empty() && trailing) break;
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
      p.error = kInvalidName;
      return p;
    }
    p.names.push_back(name);
    name.clear();
  }
  return p;
}

}  // namespace

std::string LastNameAsRead(const std::string& name) {
  if (name == "." || name == "..") return name;
  const size_t end = name.find_last_not_of(". ");
  return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

Win32Path ReadWin32Path(const std::string& given, bool ntFamily) {
  if (given.compare(0, 4, "\\\\?\\") == 0) {
    if (ntFamily) return literalPath(given);
    Win32Path p;
    p.error = winerr::PathNotFound;
    return p;
  }
  Win32Path p;
  std::string path = given;
  for (char& c : path)
    if (c == '/') c = '\\';
  const bool devicePrefix = path.compare(0, 4, "\\\\.\\") == 0;
  if (devicePrefix) path.erase(0, 4);
  // The last name decides a device before anything else is looked at.
  const size_t lastSlash = path.find_last_of('\\');
  const std::string last = lastSlash == std::string::npos ? path.substr(hasDrive(path, 0) ? 2 : 0)
                                                          : path.substr(lastSlash + 1);
  p.device = deviceOf(last);
  if (!p.device.empty()) return p;

  size_t from = 0;
  if (hasDrive(path, 0)) {
    p.drive = platform::upperCase(path[0]);
    from = 2;
  } else if (!devicePrefix && !path.empty() && path[0] == '\\' && (path.size() == 1 || path[1] != '\\')) {
    p.drive = 'C';
  } else {
    p.error = winerr::PathNotFound;
    return p;
  }
  std::string name;
  for (size_t i = from; i <= path.size(); ++i) {
    if (i < path.size() && !isSeparator(path[i])) {
      name += path[i];
      continue;
    }
    if (name == "..") {
      if (!p.names.empty()) p.names.pop_back();
    } else if (!name.empty() && name != ".") {
      if (i == path.size())
        name = LastNameAsRead(name);
      else if (name.back() == '.')
        name.pop_back();
      if (!name.empty()) p.names.push_back(name);
    }
    name.clear();
  }
  return p;
}

}  // namespace platform::sim

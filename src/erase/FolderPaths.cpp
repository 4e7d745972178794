#include "erase/FolderPaths.h"
#include "platform/NameCase.h"

#include <cctype>

namespace erase {

namespace {

std::vector<std::string> split(const std::string& text, size_t from) {
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = from; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\\') {
      parts.push_back(part);
      part.clear();
    } else {
      part += text[i];
    }
  }
  return parts;
}

// Where the names below the root begin in a normalised folder.
size_t rootLength(const std::string& normalised) {
  if (!IsSharePath(normalised)) return 3;
  return normalised.find('\\', normalised.find('\\', 2) + 1) + 1;
}


}  // namespace

bool IsDeviceName(const std::string& name) {
  std::string base = platform::upperCased(name.substr(0, name.find('.')));
  base = base.substr(0, base.find_last_not_of(' ') + 1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"})
    if (base == device) return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
         base[3] <= '9';
}

const char* RewrittenPathReason(const std::string& path) {
  if (path.compare(0, 4, "\\\\?\\") == 0 || path.compare(0, 4, "\\\\.\\") == 0) return "device path";
  if (path.find('/') != std::string::npos) return "not a full path";
  size_t rest = 0;
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\') {
    rest = 3;
  } else if (path.compare(0, 2, "\\\\") == 0) {
    const size_t server = path.find('\\', 2);
    if (server == std::string::npos || server == 2) return "not a full path";
    rest = server + 1;
  } else {
    return "not a full path";
  }
  std::vector<std::string> names = split(path, rest);
  if (!names.empty() && names.back().empty()) names.pop_back();  // "C:\\Temp\\" is a folder
  for (const std::string& name : names) {
    if (name.empty() || name == "." || name == "..") return "not a full path";
    // Windows drops a trailing dot or blank: "abc." would open abc.
    if (name.back() == '.' || name.back() == ' ') return "name ending in a dot or blank";
    if (IsDeviceName(name)) return "device name";
  }
  return nullptr;
}

std::string NormaliseFolderPath(const std::string& path) {
  std::string text = path;
  for (char& c : text)
    if (c == '/') c = '\\';
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);

  std::string root;
  size_t rest = 0;
  if (text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
      text[2] == '\\') {
    root = std::string(1, platform::upperCase(text[0])) + ":";
    rest = 3;
  } else if (text.compare(0, 2, "\\\\") == 0) {
    // A share: "\\server\share" is its root; "\\?\" and "\\.\" are device paths.
    const std::vector<std::string> parts = split(text, 2);
    if (parts.size() < 2 || parts[0].empty() || parts[1].empty() || parts[0] == "?" || parts[0] == ".")
      return std::string();
    root = "\\\\" + parts[0] + "\\" + parts[1];
    rest = 2 + parts[0].size() + 1 + parts[1].size();
  } else {
    return std::string();
  }

  std::vector<std::string> names;
  const std::vector<std::string> parts = split(text, rest);
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string part = parts[i];
    if (part == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    if (part == ".") continue;
    if (i + 1 == parts.size()) {
      // The last name, not followed by a backslash, loses every trailing dot and blank.
      const size_t end = part.find_last_not_of(". ");
      part = end == std::string::npos ? std::string() : part.substr(0, end + 1);
    } else if (!part.empty() && part.back() == '.' && part.find_first_not_of('.') != std::string::npos) {
      // A name followed by a backslash loses one trailing dot ("WINDOWS.\" is WINDOWS) and
      // keeps its blanks: "Temp \" is a folder of its own, not Temp.
      part.pop_back();
    }
    if (!part.empty()) names.push_back(part);
  }
  std::string out = root + "\\";
  for (const std::string& name : names) out += name + "\\";
  return out;
}

std::vector<std::string> FolderNames(const std::string& normalisedFolder) {
  std::vector<std::string> names;
  if (normalisedFolder.empty()) return names;
  for (std::string part : split(normalisedFolder, rootLength(normalisedFolder))) {
    if (part.empty()) continue;
    names.push_back(platform::upperCased(part));
  }
  return names;
}

std::vector<std::string> ParentFolders(const std::string& normalisedFolder) {
  std::vector<std::string> parents;
  if (normalisedFolder.empty()) return parents;
  const size_t root = rootLength(normalisedFolder);
  std::string folder = normalisedFolder;
  while (folder.size() > root) {
    folder.erase(folder.find_last_of('\\', folder.size() - 2) + 1);
    parents.push_back(folder);
  }
  return parents;
}

std::string FolderToOpen(const std::string& folder) {
  const bool driveRoot = folder.size() == 3 && folder[1] == ':';
  return !driveRoot && folder.size() > 1 && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

}  // namespace erase

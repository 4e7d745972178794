#include "platform/WininitRename.h"

#include <cctype>
#include <vector>

#include "platform/FreshFile.h"
#include "platform/NameCase.h"
#include "platform/WinError.h"

namespace platform {

namespace {

constexpr size_t kLongestDosPath = 79;  // DOS's 80 characters less the terminating zero
constexpr const char* kNewLine = "\r\n";


std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// What DOS takes in an 8.3 name: no blank, nothing an INI line gives a meaning to ('=',
// ';', brackets), nothing outside ASCII (WININIT reads the OEM code page, we write ANSI).
bool dosNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || std::string("!#$%&'()-@^_`{}~").find(c) != std::string::npos;
}

bool dosComponent(const std::string& part) {
  const size_t dot = part.find('.');
  const std::string base = part.substr(0, dot);
  const std::string extension = dot == std::string::npos ? std::string() : part.substr(dot + 1);
  if (base.empty() || base.size() > 8 || extension.size() > 3) return false;
  if (dot != std::string::npos && extension.empty()) return false;
  for (char c : base + extension)
    if (!dosNameCharacter(c)) return false;
  return true;
}

// "C:\\DIR\\FILE.EXT": each name in it 8.3.
bool wininitCanTake(const std::string& shortPath) {
  if (shortPath.size() < 4 || shortPath.size() > kLongestDosPath) return false;
  if (!std::isalpha(static_cast<unsigned char>(shortPath[0])) || shortPath[1] != ':' || shortPath[2] != '\\')
    return false;
  size_t start = 3;
  for (;;) {
    const size_t slash = shortPath.find('\\', start);
    if (!dosComponent(shortPath.substr(start, slash == std::string::npos ? std::string::npos : slash - start)))
      return false;
    if (slash == std::string::npos) return true;
    start = slash + 1;
  }
}

struct Line {
  size_t begin, end, next;  // text, its end before the line break, the next line
};

std::vector<Line> linesOf(const std::string& text) {
  std::vector<Line> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t lf = text.find('\n', at);
    const size_t next = lf == std::string::npos ? text.size() : lf + 1;
    size_t end = lf == std::string::npos ? text.size() : lf;
    if (end > at && text[end - 1] == '\r') --end;
    lines.push_back(Line{at, end, next});
    at = next;
  }
  return lines;
}

// "NUL = c:\\x.tmp" is the same deletion as "NUL=C:\\X.TMP".
bool deletes(const std::string& line, const std::string& shortPath) {
  const size_t equals = line.find('=');
  return equals != std::string::npos && platform::upperCased(trimmed(line.substr(0, equals))) == "NUL" &&
         platform::upperCased(trimmed(line.substr(equals + 1))) == platform::upperCased(shortPath);
}

// The file's text with the deletion in its [rename] section; the same text when a
// [rename] section holds it already. Everything else stays byte for byte.
std::string withDeletion(const std::string& text, const std::string& shortPath) {
  const std::string entry = "NUL=" + shortPath + kNewLine;
  size_t insertAt = std::string::npos;  // after the first [rename] section's last line
  bool inRename = false, inFirst = false;
  for (const Line& line : linesOf(text)) {
    const std::string content = trimmed(text.substr(line.begin, line.end - line.begin));
    if (!content.empty() && content[0] == '[') {
      inRename = platform::upperCased(content) == "[RENAME]";
      inFirst = inRename && insertAt == std::string::npos;
      if (inFirst) insertAt = line.next;
      continue;
    }
    if (!inRename || content.empty()) continue;
    if (deletes(content, shortPath)) return text;
    if (inFirst) insertAt = line.next;
  }
  const bool openLine = !text.empty() && text.back() != '\n';
  if (insertAt == std::string::npos) return text + (openLine ? kNewLine : "") + "[rename]" + kNewLine + entry;
  const std::string before = text.substr(0, insertAt);
  return before + (insertAt == text.size() && openLine ? kNewLine : "") + entry + text.substr(insertAt);
}

}  // namespace

long AddWininitDeletion(FileSystem& files, const std::string& iniPath, const std::string& path) {
  std::string shortPath;
  if (const long rc = files.getShortPathName(path, &shortPath)) return rc;
  if (!wininitCanTake(shortPath)) return winerr::InvalidParameter;
  std::string text;
  const long read = files.readFile(iniPath, &text);
  if (read != winerr::Success && read != winerr::FileNotFound) return read;
  const std::string edited = withDeletion(read == winerr::Success ? text : std::string(), shortPath);
  if (read == winerr::Success && edited == text) return winerr::Success;
  // Written whole beside it first: a disk that fills up midway leaves the old file as it was.
  return ReplaceWithNewFile(files, iniPath, edited);
}

}  // namespace platform

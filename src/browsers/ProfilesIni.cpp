#include "browsers/ProfilesIni.h"

#include "browsers/PlainNames.h"
#include "platform/NameCase.h"

namespace browsers {

namespace {

// The longest name the items join below a profile ("sessionstore-backups"), with the
// backslash before it and room for a file in it.
constexpr size_t kRoomBelow = 1 + 20 + 1 + 12;

// Without the blanks before it and, with `both`, after it. A path keeps the blanks after
// it: "x " is a name Windows reads as "x", and such a path is left out.
std::string trimmed(const std::string& text, bool both = true) {
  size_t from = 0, to = text.size();
  while (from < to && (text[from] == ' ' || text[from] == '\t')) ++from;
  while (to > from && both && (text[to - 1] == ' ' || text[to - 1] == '\t')) --to;
  return text.substr(from, to - from);
}

bool isProfileSection(const std::string& name) {
  const std::string prefix = "PROFILE";
  if (name.size() <= prefix.size() || platform::upperCased(name.substr(0, prefix.size())) != prefix) return false;
  for (size_t i = prefix.size(); i < name.size(); ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  return true;
}

struct Section {
  bool profile = false;
  int paths = 0, relatives = 0;
  std::string path, isRelative;
};

void keep(const Section& section, std::vector<IniProfile>* out) {
  if (!section.profile || section.paths != 1 || section.relatives != 1) return;
  if (section.isRelative == "1") {
    std::string path = section.path;
    for (char& c : path)
      if (c == '/') c = '\\';
    if (IsPlainFolderPath(path)) out->push_back({path, true});
  } else if (section.isRelative == "0") {
    const std::string& path = section.path;
    const bool drive = path.size() > 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && path[2] == '\\';
    if (drive && IsPlainFolderPath(path.substr(3)) && path.size() + kRoomBelow <= kLongestPathBelow)
      out->push_back({path, false});
  }
}

}  // namespace

std::vector<IniProfile> ReadProfilesIni(const std::string& text) {
  std::vector<IniProfile> profiles;
  if (text.size() > kProfilesIniLimit) return profiles;
  Section section;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = trimmed(line, false);
    start = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      keep(section, &profiles);
      section = Section();
      line = trimmed(line);
      if (line.back() == ']') section.profile = isProfileSection(trimmed(line.substr(1, line.size() - 2)));
      continue;
    }
    const size_t equals = line.find('=');
    if (!section.profile || equals == std::string::npos) continue;
    const std::string key = platform::upperCased(trimmed(line.substr(0, equals)));
    const std::string rest = line.substr(equals + 1);
    const std::string value = key == "PATH" ? trimmed(rest, false) : trimmed(rest);
    if (key == "PATH") {
      ++section.paths;
      section.path = value;
    } else if (key == "ISRELATIVE") {
      ++section.relatives;
      section.isRelative = value;
    }
  }
  keep(section, &profiles);
  return profiles;
}

}  // namespace browsers

#include "clean/TempFolderGuard.h"

#include <cctype>
#include <vector>

#include "app/App.h"
#include "erase/RegValues.h"
#include "erase/ShellFolderPaths.h"
#include "platform/WinError.h"

namespace clean {

namespace {

constexpr int kCsidlPersonal = 0x05, kCsidlProgramFiles = 0x26, kCsidlProfile = 0x28;

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

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

// The segments below the root ("C:" or "\\server\share"), as upper-case names.
std::vector<std::string> segmentsOf(const std::string& normalised) {
  std::vector<std::string> out;
  const size_t start = normalised.compare(0, 2, "\\\\") == 0
                           ? normalised.find('\\', normalised.find('\\', 2) + 1) + 1
                           : 3;
  for (const std::string& part : split(normalised, start))
    if (!part.empty()) out.push_back(upper(part));
  return out;
}

// The folder and, when Windows knows one, its short form, both normalised and upper-cased.
std::vector<std::string> formsOf(app::App& app, const std::string& path) {
  std::vector<std::string> forms;
  const std::string normalised = NormaliseFolderPath(path);
  if (normalised.empty()) return forms;
  forms.push_back(upper(normalised));
  std::string shortPath;
  if (app.os.files.getShortPathName(normalised, &shortPath) == platform::winerr::Success) {
    const std::string shortForm = upper(NormaliseFolderPath(shortPath));
    if (!shortForm.empty() && shortForm != forms[0]) forms.push_back(shortForm);
  }
  return forms;
}

std::vector<std::string> protectedFolders(app::App& app) {
  std::vector<std::string> folders;
  auto add = [&](auto&& lookup) {
    try {
      folders.push_back(lookup());
    } catch (const std::exception&) {
    }
  };
  add([&] { return app.os.shell.windowsFolder(); });
  add([&] { return app.os.shell.systemFolder(); });
  // Both shell lookups: each is missing from some Windows the other serves.
  for (int csidl : {kCsidlProfile, kCsidlPersonal, kCsidlProgramFiles}) {
    add([&] { return erase::GetSpecialFolder(app, csidl); });
    add([&] { return erase::GetFolderClean(app, 0, csidl); });
  }
  // Windows 95 and 98 have no shell id for Program Files; the registry names it on all.
  add([&] {
    return erase::ReadRegString(app, platform::hkey::LocalMachine,
                                "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
  });
  add([&] { return app.os.system.programFolder(); });
  return folders;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

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
    root = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])))) + ":";
    rest = 3;
  } else if (startsWith(text, "\\\\")) {
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
  for (std::string part : split(text, rest)) {
    if (part == "..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    // Windows drops the trailing dots and blanks of a name: "WINDOWS." is WINDOWS.
    const size_t end = part.find_last_not_of(". ");
    part = end == std::string::npos ? std::string() : part.substr(0, end + 1);
    if (!part.empty()) names.push_back(part);
  }
  std::string out = root + "\\";
  for (const std::string& name : names) out += name + "\\";
  return out;
}

bool IsProtectedFolder(app::App& app, const std::string& normalisedFolder) {
  const std::vector<std::string> candidates = formsOf(app, normalisedFolder);
  if (candidates.empty()) return true;
  // A temp folder that is itself a link empties whatever it points at, a drive root too.
  const uint32_t attributes = app.os.files.getAttributes(normalisedFolder);
  if (attributes != platform::fileattr::Invalid && (attributes & platform::fileattr::ReparsePoint)) return true;
  for (const std::string& candidate : candidates) {
    const std::vector<std::string> names = segmentsOf(candidate);
    if (names.empty()) return true;  // a drive or share root
    // A Windows folder at a drive root, whichever Windows installed it.
    if (names[0] == "WINDOWS" || names[0] == "WINNT") {
      if (names.size() == 1) return true;
      if (names.size() == 2 && (names[1] == "SYSTEM" || names[1] == "SYSTEM32")) return true;
    }
  }
  for (const std::string& folder : protectedFolders(app)) {
    for (const std::string& kept : formsOf(app, folder)) {
      if (segmentsOf(kept).empty()) continue;  // a failed lookup is no reason to refuse
      for (const std::string& candidate : candidates)
        if (startsWith(kept, candidate)) return true;  // the same folder, or one holding it
    }
  }
  return false;
}

}  // namespace clean

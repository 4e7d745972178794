#include "shredder/ShredGuard.h"

#include <cctype>
#include <vector>

#include "app/App.h"
#include "clean/TempFolderGuard.h"
#include "erase/ShellFolderPaths.h"
#include "platform/WinError.h"

namespace shredder {

using namespace platform;

namespace {

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool isDeviceName(std::string name) {
  // "CON.txt" and "con  " name the device as well.
  name = upper(name.substr(0, name.find('.')));
  const size_t end = name.find_last_not_of(' ');
  name = end == std::string::npos ? std::string() : name.substr(0, end + 1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"})
    if (name == device) return true;
  return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
         name[3] >= '1' && name[3] <= '9';
}

// The folders whose loss breaks Windows or takes the user's files, beyond those the temp
// folder guard knows: every shell folder a sweep might be pointed at.
const int kShellFolders[] = {
    0x00,  // desktop
    0x02, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0B, 0x0D, 0x0E, 0x10, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19,
    0x1A, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A,
    0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x35, 0x36, 0x37};

std::vector<std::string> keptFolders(app::App& app) {
  std::vector<std::string> folders;
  auto add = [&](auto&& lookup) {
    try {
      const std::string folder = clean::NormaliseFolderPath(lookup());
      if (!folder.empty()) folders.push_back(folder);
    } catch (const std::exception&) {
    }
  };
  add([&] { return app.os.shell.windowsFolder(); });
  add([&] { return app.os.shell.systemFolder(); });
  add([&] { return app.os.system.programFolder(); });
  for (int csidl : kShellFolders) {
    add([&] { return erase::GetSpecialFolder(app, csidl); });
    add([&] { return erase::GetFolderClean(app, 0, csidl); });
  }
  return folders;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The length of "C:\\" or "\\\\server\\share\\" at the start of a normalised folder.
size_t rootLength(const std::string& normalised) {
  if (normalised.compare(0, 2, "\\\\") != 0) return 3;
  return normalised.find('\\', normalised.find('\\', 2) + 1) + 1;
}

// The normalised folder and each folder above it, the root last.
std::vector<std::string> selfAndAncestors(std::string folder) {
  std::vector<std::string> out{folder};
  while (folder.size() > rootLength(folder)) {
    folder = folder.substr(0, folder.find_last_of('\\', folder.size() - 2) + 1);
    out.push_back(folder);
  }
  return out;
}

bool sameObject(const FileInformation& a, const FileInformation& b) {
  return a.volumeSerial == b.volumeSerial && a.fileIndex == b.fileIndex;
}

bool passesThroughLink(app::App& app, const std::string& normalised) {
  for (const std::string& folder : selfAndAncestors(normalised)) {
    const uint32_t attributes = app.os.files.getAttributes(folder);
    if (attributes != fileattr::Invalid && (attributes & fileattr::ReparsePoint)) return true;
  }
  return false;
}

}  // namespace

bool namesDevice(const std::string& path) {
  if (path.compare(0, 4, "\\\\.\\") == 0 || path.compare(0, 4, "\\\\?\\") == 0 || path.compare(0, 4, "//./") == 0 ||
      path.compare(0, 4, "//?/") == 0)
    return true;
  std::string name;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\' || path[i] == '/' || path[i] == ':') {
      if (isDeviceName(name)) return true;
      name.clear();
    } else {
      name += path[i];
    }
  }
  return false;
}

const char* fileRefusal(app::App& app, const std::string& path) {
  if (namesDevice(path)) return "device name";
  const std::string normalised = clean::NormaliseFolderPath(path);
  if (normalised.empty()) return "not a full path";
  if (normalised.size() <= rootLength(normalised)) return "drive root";
  const uint32_t attributes = app.os.files.getAttributes(path);
  if (attributes == fileattr::Invalid) return "not found";
  if (attributes & fileattr::ReparsePoint) return "link";
  if (attributes & fileattr::Directory) return "folder";
  FileInformation info;
  if (app.os.files.fileInformation(path, &info) != winerr::Success) return "cannot be examined";
  if (info.attributes & fileattr::ReparsePoint) return "link";
  if (info.links > 1) return "more than one name";
  return nullptr;
}

const char* folderRefusal(app::App& app, const std::string& folder) {
  if (namesDevice(folder)) return "device name";
  const std::string normalised = clean::NormaliseFolderPath(folder);
  if (normalised.empty()) return "not a full path";
  if (passesThroughLink(app, normalised)) return "link";
  if (clean::IsProtectedFolder(app, normalised)) return "protected folder";
  const std::string candidate = upper(normalised);
  std::string shortPath;
  const std::string shortForm = app.os.files.getShortPathName(normalised, &shortPath) == winerr::Success
                                    ? upper(clean::NormaliseFolderPath(shortPath))
                                    : std::string();
  FileInformation self;
  const bool known = app.os.files.fileInformation(normalised, &self) == winerr::Success;
  for (const std::string& kept : keptFolders(app)) {
    // The same folder or one holding it, by its name or its short name...
    if (startsWith(upper(kept), candidate) || (!shortForm.empty() && startsWith(upper(kept), shortForm)))
      return "protected folder";
    // ...or by what it is, which also sees through a substituted drive.
    if (!known) continue;
    for (const std::string& above : selfAndAncestors(kept)) {
      FileInformation info;
      if (app.os.files.fileInformation(above, &info) == winerr::Success && sameObject(info, self))
        return "protected folder";
    }
  }
  return nullptr;
}

}  // namespace shredder

#include "Seeding.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <sstream>

namespace e2e {

bool setString(HKEY root, const std::string& path, const char* name, const std::string& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

void deleteKeyTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS) deleteKeyTree(key, name);
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}

void deleteValue(HKEY root, const std::string& path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, name);
  RegCloseKey(key);
}

bool keyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string readString(HKEY root, const std::string& path, const char* name) {
  char data[512] = {};
  DWORD size = sizeof data - 1, type = 0;
  if (SHGetValueA(root, path.c_str(), name, &type, data, &size) != ERROR_SUCCESS) return "(missing)";
  return std::string(data, strnlen(data, size));
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void makeFolders(const std::string& folder) {
  const std::string path = folder + "\\";
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

bool writeFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

std::string readFile(const std::string& path, const std::string& missing) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return missing;
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

std::vector<std::string> entries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
  return out;
}

std::vector<std::string> filesHolding(const std::string& folder, const std::string& text) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return {"(cannot list " + folder + ")"};
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string path = folder + "\\" + entry.cFileName;
    if (readFile(path).find(text) != std::string::npos) found.push_back(path);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return found;
}

std::string listing(const std::vector<std::string>& lines) {
  std::ostringstream out;
  for (size_t i = 0; i < lines.size(); ++i) out << "  " << i << " \"" << lines[i] << "\"\n";
  return out.str();
}

std::string shellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? path : "";
}

TempIs::TempIs(const std::string& temp) {
  for (const char* name : {"TMP", "TEMP"}) {
    char old[MAX_PATH] = {};
    saved.push_back(GetEnvironmentVariableA(name, old, MAX_PATH) ? old : "");
    SetEnvironmentVariableA(name, temp.c_str());
  }
}

TempIs::~TempIs() {
  SetEnvironmentVariableA("TMP", saved[0].empty() ? nullptr : saved[0].c_str());
  SetEnvironmentVariableA("TEMP", saved[1].empty() ? nullptr : saved[1].c_str());
}

}  // namespace e2e

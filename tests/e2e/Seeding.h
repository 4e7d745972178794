#pragma once
// Seeding and inspecting the machine the program cleans: registry values and files.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The program's keys and the list its Run history item purges, under HKEY_CURRENT_USER.
constexpr char kSettings[] = "Software\\Quellery\\Settings";
constexpr char kLastHistory[] = "Software\\Quellery\\Settings\\LastHistory";
constexpr char kRunMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

bool setString(HKEY root, const std::string& path, const char* name, const std::string& data);
// Deletes a key with everything below it.
void deleteKeyTree(HKEY root, const std::string& path);
void deleteValue(HKEY root, const std::string& path, const char* name);
bool keyExists(HKEY root, const std::string& path);
// The string value, "(missing)" when there is none.
std::string readString(HKEY root, const std::string& path, const char* name);
bool exists(const std::string& path);
// The shell folder by its CSIDL, as SHGetFolderPathA tells it; empty when unknown.
std::string shellFolder(int csidl);
bool writeFile(const std::string& path, const std::string& text);
// Creates the folder and every folder above it that is missing ("C:\\a\\b").
void makeFolders(const std::string& folder);
// The whole file, read beside programs that write it; `missing` when it cannot be opened.
std::string readFile(const std::string& path, const std::string& missing = "(no file)");
// The list's lines, numbered and quoted, for a failure message.
std::string listing(const std::vector<std::string>& lines);
// The names in a folder but "." and "..".
std::vector<std::string> entries(const std::string& folder);
// Names joined by ", ", for a failure message.
std::string joined(const std::vector<std::string>& names);
// The files of `folder` (not below it) whose bytes hold `text`: journals and WALs left
// beside a database count as much as the database.
std::vector<std::string> filesHolding(const std::string& folder, const std::string& text);

// TMP and TEMP for the programs started meanwhile.
struct TempIs {
  explicit TempIs(const std::string& temp);
  ~TempIs();
  TempIs(const TempIs&) = delete;
  TempIs& operator=(const TempIs&) = delete;
  std::vector<std::string> saved;
};

}  // namespace e2e

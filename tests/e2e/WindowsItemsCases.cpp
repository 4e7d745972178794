// End-to-end case on the real program: the ten Windows items, ticked alone and run from
// Start Cleaning, erase the traces seeded in the current user's registry, the temporary
// folder, the root of C: and the clipboard, and leave alone what lies beside each of them.
// The Recycle Bin and the recent documents list have no state Wine lets a test seed and
// read back; their lines in the list still show that their items ran without a failure.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "DriverSupport.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::Program;
using e2e::keyExists;
using e2e::listing;
using e2e::readString;
using e2e::setString;
using e2e::writeFile;
using e2e::kRunDeadlineMs;

// The ten Windows items' first lines, in catalogue order.
const char* const kItemLines[] = {"Cleaning Recycle Bin...",
                                  "Cleaning Recent RUN History...",
                                  "Cleaning Recent Document List...",
                                  "Cleaning Find File / Folder History...",
                                  "Cleaning Registry Fragment Files...",
                                  "Cleaning Clipboard...",
                                  "Cleaning ScanDisk .Chk File...",
                                  "Cleaning Windows Temp File Folder...",
                                  "Cleaning Open / Save Dialog Box History...",
                                  "Cleaning Search Computer History..."};

// Lists whose every value the program erases, each with a canary key beside it.
const char* const kTargetKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU",
    "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\FilesNamedMRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU",
    "Software\\Microsoft\\Search Assistant\\ACMru\\5647",
    "Software\\Microsoft\\Windows\\CurrentVersion\\StreamMRU",
};
// A list of the open/save dialog keeps one sub-key per file type.
const char* const kOpenSaveSubKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\txt";

const char* const kCanaryValue = "QuelleryCanary";
const char* const kMemoryManagement = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

std::string parentOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
std::string canaryKeyBeside(const std::string& target) { return target + " Canary"; }

using e2e::exists;

bool isFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The names in a folder, "." and ".." left out.
std::vector<std::string> folderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

bool putClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool ok = false;
  if (memory) {
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    ok = SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!ok) GlobalFree(memory);
  }
  CloseClipboard();
  return ok;
}

}  // namespace

TEST(WindowsItems, TheTenItemsEraseEveryTargetAndSpareWhatLiesBesideIt) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  ASSERT_EQ(FindWindowA(nullptr, e2e::kCaption), nullptr) << "another Quellery is running";

  // --- the registry: two values in each list, a canary key beside it and a value in its parent
  for (const char* target : kTargetKeys) {
    ASSERT_TRUE(setString(HKEY_CURRENT_USER, target, "a", "C:\\secret\\one.doc"));
    ASSERT_TRUE(setString(HKEY_CURRENT_USER, target, "MRUList", "ba"));
    ASSERT_TRUE(setString(HKEY_CURRENT_USER, canaryKeyBeside(target), "a", "stays"));
    ASSERT_TRUE(setString(HKEY_CURRENT_USER, parentOf(target), kCanaryValue, "stays"));
  }
  SHDeleteValueA(HKEY_CURRENT_USER, kMemoryManagement, "ClearPageFileAtShutdown");
  ASSERT_TRUE(setString(HKEY_CURRENT_USER, kOpenSaveSubKey, "a", "C:\\secret\\notes.txt"));

  // --- the temporary folder: files and two levels of sub-folders; a file beside it
  char tempBuffer[MAX_PATH] = {};
  ASSERT_GT(GetTempPathA(MAX_PATH, tempBuffer), 0u);
  std::string temp = tempBuffer;
  if (temp.back() != '\\') temp += '\\';
  CreateDirectoryA(temp.c_str(), nullptr);
  const std::string level1 = temp + "qe2e level 1\\", level2 = level1 + "level 2\\";
  ASSERT_TRUE(CreateDirectoryA(level1.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  ASSERT_TRUE(CreateDirectoryA(level2.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  const std::string tempFiles[] = {temp + "qe2e-one.tmp", temp + "qe2e-two.txt", level1 + "inner.tmp",
                                   level2 + "deepest.dat"};
  for (const std::string& file : tempFiles) ASSERT_TRUE(writeFile(file, "trace")) << file;
  const std::string tempFolder = temp.substr(0, temp.size() - 1);
  const std::string besideTemp = parentOf(tempFolder) + "\\qe2e-beside-temp.txt";
  ASSERT_TRUE(writeFile(besideTemp, "stays"));

  // --- ScanDisk files: the root of C: only
  CreateDirectoryA("C:\\sub", nullptr);
  ASSERT_TRUE(writeFile("C:\\a.chk", "lost cluster"));
  ASSERT_TRUE(writeFile("C:\\sub\\b.chk", "stays"));
  ASSERT_TRUE(writeFile("C:\\a.chk.txt", "stays"));
  ASSERT_TRUE(writeFile("C:\\x.chkpoint", "stays"));  // X~1.CHK to a "*.chk" listing

  ASSERT_TRUE(putClipboardText("a copied secret"));
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

  Program program;
  ASSERT_TRUE(program.start(exePath));
  if (!e2e::tickOnly(program, "chkWinSettings", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) {
    program.terminate();
    return;
  }
  std::vector<std::string> lines;
  const bool ended = e2e::runToEnd(program, &lines);
  program.terminate();
  EXPECT_TRUE(ended) << "the run did not end within " << kRunDeadlineMs / 1000 << " s\n" << listing(lines);

  // --- the list: each item's three lines in catalogue order, no failure between them
  const std::vector<std::string> expected = e2e::runLines({std::begin(kItemLines), std::end(kItemLines)});
  EXPECT_EQ(expected, lines) << listing(lines);

  // --- the registry
  for (const char* target : kTargetKeys) {
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, target)) << target << " is still there";
    EXPECT_EQ("stays", readString(HKEY_CURRENT_USER, canaryKeyBeside(target), "a")) << canaryKeyBeside(target);
    EXPECT_EQ("stays", readString(HKEY_CURRENT_USER, parentOf(target), kCanaryValue)) << parentOf(target);
  }
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, kOpenSaveSubKey)) << kOpenSaveSubKey;
  // Written where the program's other Windows items write: the current user's branch.
  EXPECT_EQ("0", readString(HKEY_CURRENT_USER, kMemoryManagement, "ClearPageFileAtShutdown"));

  // --- the temporary folder: emptied, itself kept; what lies beside it kept
  EXPECT_TRUE(isFolder(tempFolder)) << tempFolder << " itself was removed";
  const std::vector<std::string> left = folderEntries(temp);
  EXPECT_TRUE(left.empty()) << "left in " << temp << ": " << listing(left);
  for (const std::string& file : tempFiles) EXPECT_FALSE(exists(file)) << file;
  EXPECT_FALSE(exists(level1)) << level1;
  EXPECT_TRUE(exists(besideTemp)) << besideTemp;

  // --- ScanDisk files
  EXPECT_FALSE(exists("C:\\a.chk"));
  EXPECT_TRUE(exists("C:\\sub\\b.chk")) << "a .chk file below the root is not ScanDisk's";
  EXPECT_TRUE(exists("C:\\a.chk.txt"));
  EXPECT_TRUE(exists("C:\\x.chkpoint")) << "its 8.3 name ends in .CHK; its name does not";

  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "the clipboard still holds text";
  EXPECT_EQ(0, CountClipboardFormats());

  // What this case leaves behind.
  for (const char* target : kTargetKeys) {
    SHDeleteKeyA(HKEY_CURRENT_USER, canaryKeyBeside(target).c_str());
    SHDeleteValueA(HKEY_CURRENT_USER, parentOf(target).c_str(), kCanaryValue);
  }
  DeleteFileA(besideTemp.c_str());
  DeleteFileA("C:\\sub\\b.chk");
  DeleteFileA("C:\\a.chk.txt");
  DeleteFileA("C:\\x.chkpoint");
  RemoveDirectoryA("C:\\sub");
}

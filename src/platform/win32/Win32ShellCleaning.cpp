// The shell and clipboard services that the Windows items clean through.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/LateFunction.h"
#include "platform/win32/Win32Shell.h"

namespace platform::win32 {

namespace {

// SHEmptyRecycleBinA is missing from the first shell of Windows 95 and NT 4; looking it up
// keeps the program starting there.
using EmptyRecycleBinFn = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);
using QueryRecycleBinFn = HRESULT(WINAPI*)(LPCSTR, LPSHQUERYRBINFO);

std::string folderFrom(UINT (WINAPI* lookup)(LPSTR, UINT)) {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = lookup(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return std::string();
  return std::string(buffer, length);
}

}  // namespace

long Win32Shell::emptyRecycleBin(std::uintptr_t owner, const std::string& drive, uint32_t flags) {
  static const auto empty = lateFunction<EmptyRecycleBinFn>("shell32.dll", "SHEmptyRecycleBinA");
  if (!empty) return static_cast<long>(E_NOTIMPL);
  return static_cast<long>(
      empty(reinterpret_cast<HWND>(owner), drive.empty() ? nullptr : drive.c_str(), flags));
}

std::vector<RecycleBinContents> Win32Shell::recycleBinContents() {
  static const auto query = lateFunction<QueryRecycleBinFn>("shell32.dll", "SHQueryRecycleBinA");
  std::vector<RecycleBinContents> bins;
  const DWORD drives = GetLogicalDrives();
  for (int letter = 0; letter < 26; ++letter) {
    RecycleBinContents bin;
    bin.drive = std::string(1, static_cast<char>('A' + letter)) + ":\\";
    // Only fixed drives keep a bin; asking a floppy drive would wait for a disk.
    if (!(drives & (1u << letter)) || GetDriveTypeA(bin.drive.c_str()) != DRIVE_FIXED) continue;
    if (query) {
      SHQUERYRBINFO info = {};
      info.cbSize = sizeof info;
      if (FAILED(query(bin.drive.c_str(), &info)) || info.i64NumItems <= 0) continue;
      bin.bytes = info.i64Size > 0 ? static_cast<uint64_t>(info.i64Size) : 0;
      bin.items = static_cast<uint64_t>(info.i64NumItems);
      bin.known = true;
    }
    bins.push_back(bin);
  }
  return bins;
}

void Win32Shell::clearRecentDocuments() {
  static const auto addToRecent = lateFunction<decltype(&::SHAddToRecentDocs)>("shell32.dll", "SHAddToRecentDocs");
  if (addToRecent) addToRecent(SHARD_PIDL, nullptr);
}

bool Win32Shell::openClipboard(std::uintptr_t owner) {
  return OpenClipboard(reinterpret_cast<HWND>(owner)) != FALSE;
}

bool Win32Shell::emptyClipboard() { return EmptyClipboard() != FALSE; }

bool Win32Shell::closeClipboard() { return CloseClipboard() != FALSE; }

std::string Win32Shell::windowsFolder() { return folderFrom(GetWindowsDirectoryA); }

std::string Win32Shell::systemFolder() { return folderFrom(GetSystemDirectoryA); }

}  // namespace platform::win32

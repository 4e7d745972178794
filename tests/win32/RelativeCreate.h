#pragma once
// Creating a file or folder relative to an open folder with NtCreateFile: the only way a
// narrow program builds a tree deeper than MAX_PATH, for the tests that need one.
#include <windows.h>

#include <string>

#include "platform/win32/NtApi.h"

namespace winetest {

inline HANDLE createRelative(HANDLE parent, const std::string& name, bool folder) {
  namespace nt = platform::win32::nt;
  constexpr ULONG kFileCreate = 2;
  std::wstring wide(name.begin(), name.end());
  nt::UnicodeString objectName{static_cast<USHORT>(wide.size() * 2), static_cast<USHORT>(wide.size() * 2), &wide[0]};
  nt::ObjectAttributes attributes{sizeof(nt::ObjectAttributes), parent, &objectName, nt::kObjCaseInsensitive,
                                  nullptr, nullptr};
  nt::IoStatusBlock io{};
  HANDLE out = nullptr;
  const ULONG options = nt::kSynchronousIoNonAlert | (folder ? nt::kDirectoryFile : nt::kNonDirectoryFile);
  const nt::Status status = nt::api().createFile(&out, GENERIC_READ | GENERIC_WRITE | SYNCHRONIZE, &attributes, &io,
                                                 nullptr, FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 kFileCreate, options, nullptr, 0);
  return status >= 0 ? out : nullptr;
}

}  // namespace winetest

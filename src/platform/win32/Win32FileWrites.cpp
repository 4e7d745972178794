#include "platform/win32/Win32FileSystem.h"

// In-place writes, renames, identity and drives through kernel32's narrow calls.

#include <windows.h>

namespace platform::win32 {

namespace {

long lastError() { return static_cast<long>(GetLastError()); }

bool isNt5OrLater() {
  const DWORD version = GetVersion();
  return !(version & 0x80000000u) && LOBYTE(LOWORD(version)) >= 5;
}

bool seek(HANDLE file, uint64_t offset) {
  LONG high = static_cast<LONG>(offset >> 32);
  return SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER ||
         GetLastError() == NO_ERROR;
}

HANDLE openExistingForWriting(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

long Win32FileSystem::writeAt(const std::string& path, uint64_t offset, const std::string& data, bool flush) {
  HANDLE file = openExistingForWriting(path);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  long rc = ERROR_SUCCESS;
  if (!seek(file, offset)) {
    rc = lastError();
  } else {
    DWORD written = 0;
    if (!data.empty() && (!WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
                          written != data.size()))
      rc = lastError() ? lastError() : ERROR_WRITE_FAULT;
    if (rc == ERROR_SUCCESS && flush && !FlushFileBuffers(file)) rc = lastError();
  }
  CloseHandle(file);
  return rc;
}

long Win32FileSystem::setFileLength(const std::string& path, uint64_t length) {
  HANDLE file = openExistingForWriting(path);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  long rc = ERROR_SUCCESS;
  if (!seek(file, length) || !SetEndOfFile(file)) rc = lastError();
  CloseHandle(file);
  return rc;
}

long Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) ? ERROR_SUCCESS : lastError();
}

long Win32FileSystem::fileInformation(const std::string& path, FileInformation* out) {
  // Folders open only with backup semantics, and a link is opened itself, not its target;
  // Windows 9x knows neither flag and has no links.
  const DWORD flags = isNt5OrLater() ? FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT
                                     : FILE_ATTRIBUTE_NORMAL;
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags,
                       nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  BY_HANDLE_FILE_INFORMATION info = {};
  long rc = ERROR_SUCCESS;
  if (GetFileInformationByHandle(file, &info)) {
    out->attributes = info.dwFileAttributes;
    out->links = info.nNumberOfLinks;
    out->volumeSerial = info.dwVolumeSerialNumber;
    out->fileIndex = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    out->size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  } else {
    rc = lastError();
  }
  CloseHandle(file);
  return rc;
}

uint32_t Win32FileSystem::logicalDrives() { return GetLogicalDrives(); }

}  // namespace platform::win32

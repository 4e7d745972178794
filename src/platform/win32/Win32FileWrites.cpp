#include "platform/win32/Win32FileSystem.h"

// In-place writes, renames, identity and drives through kernel32's narrow calls.

#include <windows.h>

namespace platform::win32 {

namespace {

long lastError() { return static_cast<long>(GetLastError()); }

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

long Win32FileSystem::fileInformation(const std::string& path, FileIdentity* identity, uint64_t* size) {
  *identity = FileIdentity();
  // The link itself, not what it names; NT 4 knows no reparse points and may refuse the flag.
  auto open = [&](DWORD flags) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags,
                       nullptr);
  };
  const bool windows9x = (GetVersion() & 0x80000000u) != 0;
  HANDLE file = open(windows9x ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_OPEN_REPARSE_POINT);
  if (file == INVALID_HANDLE_VALUE && !windows9x && GetLastError() == ERROR_INVALID_PARAMETER)
    file = open(FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  BY_HANDLE_FILE_INFORMATION info = {};
  long rc = ERROR_SUCCESS;
  if (GetFileInformationByHandle(file, &info)) {
    identity->attributes = info.dwFileAttributes;
    identity->links = info.nNumberOfLinks;
    identity->volumeSerial = info.dwVolumeSerialNumber;
    identity->fileIndex = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity->known = !windows9x;  // 9x makes up its file ids per open
    *size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  } else {
    rc = lastError();
  }
  CloseHandle(file);
  return rc;
}

uint32_t Win32FileSystem::logicalDrives() { return GetLogicalDrives(); }

}  // namespace platform::win32

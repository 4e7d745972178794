#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

namespace platform::win32 {

namespace {

uint64_t time64(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

long lastError() { return static_cast<long>(GetLastError()); }

}  // namespace

long Win32FileSystem::findFiles(const std::string& pattern, std::vector<FindData>* out) {
  out->clear();
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return lastError();
  do {
    FindData entry;
    entry.attributes = data.dwFileAttributes;
    entry.name = data.cFileName;
    entry.shortName = data.cAlternateFileName;
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.creationTime = time64(data.ftCreationTime);
    entry.lastWriteTime = time64(data.ftLastWriteTime);
    out->push_back(std::move(entry));
  } while (FindNextFileA(find, &data));
  const long rc = lastError();
  FindClose(find);
  return rc == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : rc;
}

uint32_t Win32FileSystem::getAttributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

long Win32FileSystem::setAttributes(const std::string& path, uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) ? ERROR_SUCCESS : lastError();
}

long Win32FileSystem::deleteFile(const std::string& path) {
  return DeleteFileA(path.c_str()) ? ERROR_SUCCESS : lastError();
}

long Win32FileSystem::removeDirectory(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) ? ERROR_SUCCESS : lastError();
}

long Win32FileSystem::createDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) ? ERROR_SUCCESS : lastError();
}

long Win32FileSystem::readFile(const std::string& path, std::string* data) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  data->clear();
  char buffer[65536];
  DWORD got = 0;
  long rc = ERROR_SUCCESS;
  for (;;) {
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      rc = lastError();
      break;
    }
    if (got == 0) break;
    data->append(buffer, got);
  }
  CloseHandle(file);
  return rc;
}

long Win32FileSystem::openForReading(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  CloseHandle(file);
  return ERROR_SUCCESS;
}

long Win32FileSystem::writeFile(const std::string& path, const std::string& data) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  DWORD written = 0;
  long rc = ERROR_SUCCESS;
  if (!data.empty() && (!WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
                        written != data.size()))
    rc = lastError() ? lastError() : ERROR_WRITE_FAULT;
  CloseHandle(file);
  return rc;
}

long Win32FileSystem::overwriteFile(const std::string& path, uint64_t offset, const std::string& data) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  LONG high = static_cast<LONG>(offset >> 32);
  long rc = ERROR_SUCCESS;
  if (SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    rc = lastError();
  } else {
    DWORD written = 0;
    if (!data.empty() && (!WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
                          written != data.size()))
      rc = lastError() ? lastError() : ERROR_WRITE_FAULT;
  }
  CloseHandle(file);
  return rc;
}

long Win32FileSystem::getShortPathName(const std::string& path, std::string* shortPath) {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  if (length == 0) return lastError();
  if (length >= sizeof buffer) return ERROR_FILENAME_EXCED_RANGE;
  *shortPath = std::string(buffer, length);
  return ERROR_SUCCESS;
}

}  // namespace platform::win32

namespace platform::win32 {

std::uintptr_t Win32FileSystem::startFolderWatch(const std::string& folder, uint32_t filter) {
  HANDLE watch = FindFirstChangeNotificationA(folder.c_str(), FALSE, filter);
  return watch == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<std::uintptr_t>(watch);
}

WatchState Win32FileSystem::waitFolderWatch(std::uintptr_t watch, uint32_t ms) {
  switch (WaitForSingleObject(reinterpret_cast<HANDLE>(watch), ms)) {
    case WAIT_OBJECT_0: return WatchState::Changed;
    case WAIT_TIMEOUT: return WatchState::Quiet;
    default: return WatchState::Failed;
  }
}

bool Win32FileSystem::rearmFolderWatch(std::uintptr_t watch) {
  return FindNextChangeNotification(reinterpret_cast<HANDLE>(watch)) != FALSE;
}

void Win32FileSystem::closeFolderWatch(std::uintptr_t watch) {
  FindCloseChangeNotification(reinterpret_cast<HANDLE>(watch));
}

}  // namespace platform::win32

#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/PathHeldFolder.h"
#include "platform/WininitRename.h"
#include "platform/win32/LateFunction.h"
#include "platform/win32/Win32NtFolder.h"

namespace platform::win32 {

namespace {

uint64_t time64(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

long lastError() { return static_cast<long>(GetLastError()); }

// Windows 95, 98 and ME: no file ids, no links, and no handles on folders.
bool isWindows9x() { return (GetVersion() & 0x80000000u) != 0; }

HANDLE openFolder(const std::string& path, DWORD flags) {
  // Listing access takes part in sharing (attribute access alone would not), so while this
  // handle is open nobody gets the delete access that a rename or removal needs.
  return CreateFileA(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

// The entry itself, never what a link names, with attribute access alone and sharing
// everything: neither a program that holds the entry nor a held folder of ours keeps it out.
HANDLE openToIdentify(const std::string& path) {
  auto open = [&](DWORD flags) {
    return CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
  };
  HANDLE handle = open(FILE_FLAG_OPEN_REPARSE_POINT);
  // NT 4 knows no reparse points and may refuse the flag.
  if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) handle = open(0);
  return handle;
}

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
  return readFileHead(path, static_cast<size_t>(-1), data);
}

long Win32FileSystem::readFileHead(const std::string& path, size_t maxBytes, std::string* data) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  data->clear();
  char buffer[65536];
  DWORD got = 0;
  long rc = ERROR_SUCCESS;
  while (data->size() < maxBytes) {
    const size_t room = maxBytes - data->size();
    if (!ReadFile(file, buffer, room < sizeof buffer ? static_cast<DWORD>(room) : sizeof buffer, &got, nullptr)) {
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

long Win32FileSystem::getShortPathName(const std::string& path, std::string* shortPath) {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  if (length == 0) return lastError();
  if (length >= sizeof buffer) return ERROR_FILENAME_EXCED_RANGE;
  *shortPath = std::string(buffer, length);
  return ERROR_SUCCESS;
}

long Win32FileSystem::deleteAtRestart(const std::string& path) {
  if (!isWindows9x())
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? ERROR_SUCCESS : lastError();
  char folder[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  if (length == 0) return lastError();
  if (length >= sizeof folder) return ERROR_FILENAME_EXCED_RANGE;
  const std::string windows(folder, length);
  return AddWininitDeletion(*this, windows + (windows.back() == '\\' ? "" : "\\") + "WININIT.INI", path);
}

std::unique_ptr<HeldFolder> Win32FileSystem::holdFolder(const std::string& path, FileIdentity* identity) {
  *identity = FileIdentity();
  if (isWindows9x()) return holdFolderByPath(*this, path, identity);
  HANDLE handle = openFolder(path, FILE_FLAG_OPEN_REPARSE_POINT);
  // NT 4 knows no reparse points and may refuse the flag.
  if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) handle = openFolder(path, 0);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  const bool known = identityOf(handle, identity);
  auto held = std::make_unique<NtHeldFolder>(handle, identity->volumeSerial);
  if (!known) return nullptr;
  return held;
}

long Win32FileSystem::identityAt(const std::string& path, FileIdentity* identity) {
  *identity = FileIdentity();
  HANDLE handle = openToIdentify(path);
  if (handle == INVALID_HANDLE_VALUE) return lastError();
  const bool known = identityOf(handle, identity);
  const long rc = known ? ERROR_SUCCESS : lastError();
  CloseHandle(handle);
  return rc;
}

long Win32FileSystem::fileIndexAt(const std::string& path, uint64_t* index) {
  if (isWindows9x()) return ERROR_CALL_NOT_IMPLEMENTED;
  HANDLE handle = openToIdentify(path);
  if (handle == INVALID_HANDLE_VALUE) return lastError();
  const long rc = fileIndexOf(handle, index);
  CloseHandle(handle);
  return rc;
}

std::string Win32FileSystem::substitutedDrive(char letter) {
  const char device[3] = {letter, ':', 0};
  char target[MAX_PATH + 8] = {};
  if (QueryDosDeviceA(device, target, sizeof target) == 0) return std::string();
  // A substituted drive is a link into the DOS name space: "\??\C:\WINDOWS".
  const std::string text(target);
  if (text.size() < 7 || text.compare(0, 4, "\\??\\") != 0 || text[5] != ':') return std::string();
  return text.substr(4);
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

namespace platform::win32 {

uint32_t Win32FileSystem::logicalDrives() { return GetLogicalDrives(); }

uint32_t Win32FileSystem::driveType(const std::string& root) { return GetDriveTypeA(root.c_str()); }

long Win32FileSystem::diskSpace(const std::string& root, DiskSpace* out) {
  *out = DiskSpace();
  // The first Windows 95 has no GetDiskFreeSpaceExA; importing it would keep the program
  // from starting there.
  static const auto extended = lateFunction<decltype(&::GetDiskFreeSpaceExA)>("kernel32.dll", "GetDiskFreeSpaceExA");
  if (extended) {
    ULARGE_INTEGER toCaller{}, total{}, free{};
    if (!extended(root.c_str(), &toCaller, &total, &free)) return lastError();
    out->freeToCaller = toCaller.QuadPart;
    out->total = total.QuadPart;
    return ERROR_SUCCESS;
  }
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
    return lastError();
  const uint64_t cluster = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
  out->freeToCaller = cluster * freeClusters;
  out->total = cluster * clusters;
  return ERROR_SUCCESS;
}

}  // namespace platform::win32

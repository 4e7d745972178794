#include "platform/win32/Win32OpenFile.h"

#include <cstring>

#include "platform/win32/NtFileCalls.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32NtFolder.h"

namespace platform::win32 {

namespace {

long lastError() {
  const DWORD e = GetLastError();
  return e ? static_cast<long>(e) : ERROR_WRITE_FAULT;
}

bool windows9x() { return (GetVersion() & 0x80000000u) != 0; }

// FILE_BASIC_INFORMATION: zero times are left as they are.
struct BasicInformation {
  LARGE_INTEGER creationTime, lastAccessTime, lastWriteTime, changeTime;
  ULONG fileAttributes;
};

// FILE_RENAME_INFORMATION: the name follows the fixed part.
struct RenameInformation {
  BOOLEAN replaceIfExists;
  HANDLE rootDirectory;
  ULONG fileNameLength;  // bytes
  wchar_t fileName[1];
};

// FILE_STREAM_INFORMATION, one entry of a chain.
struct StreamEntry {
  ULONG nextEntryOffset;
  ULONG streamNameLength;  // bytes
  LARGE_INTEGER streamSize;
  LARGE_INTEGER streamAllocationSize;
  wchar_t streamName[1];
};

std::string narrow(const wchar_t* text, size_t chars) {
  if (chars == 0) return std::string();
  const int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(chars), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(chars), &out[0], n, nullptr, nullptr);
  return out;
}

// ":name:$DATA" to "name"; empty for the unnamed stream "::$DATA".
std::string streamName(const std::string& full) {
  std::string name = full.size() > 1 && full[0] == ':' ? full.substr(1) : full;
  const size_t type = name.rfind(':');
  return type == std::string::npos ? name : name.substr(0, type);
}

long listByQuery(HANDLE file, std::vector<StreamInfo>* out) {
  const nt::Calls& nt = nt::calls();
  if (!nt.queryInformationFile) return ERROR_INVALID_FUNCTION;
  std::vector<char> buffer(4096);
  for (;;) {
    nt::IoStatusBlock io = {};
    const nt::Status status = nt.queryInformationFile(file, &io, buffer.data(), static_cast<ULONG>(buffer.size()),
                                                      nt::FileStreamInformation);
    const nt::Status bufferOverflow = static_cast<nt::Status>(0x80000005L),
                     bufferTooSmall = static_cast<nt::Status>(0xC0000023L);
    if ((status == bufferOverflow || status == bufferTooSmall) && buffer.size() < (1u << 24)) {
      buffer.resize(buffer.size() * 4);
      continue;
    }
    if (status < 0) return nt::errorOf(status);
    if (io.information == 0) return ERROR_SUCCESS;  // a file system without streams
    for (size_t at = 0;;) {
      const StreamEntry* entry = reinterpret_cast<const StreamEntry*>(buffer.data() + at);
      const std::string name = streamName(narrow(entry->streamName, entry->streamNameLength / sizeof(wchar_t)));
      if (!name.empty()) out->push_back({name, static_cast<uint64_t>(entry->streamSize.QuadPart)});
      if (!entry->nextEntryOffset) return ERROR_SUCCESS;
      at += entry->nextEntryOffset;
    }
  }
}

// BackupRead walks every stream of the file, its headers telling name and size.
long listByBackupRead(HANDLE file, std::vector<StreamInfo>* out) {
  void* context = nullptr;
  long rc = ERROR_SUCCESS;
  for (;;) {
    WIN32_STREAM_ID header = {};
    const DWORD headerBytes = static_cast<DWORD>(reinterpret_cast<char*>(&header.cStreamName) -
                                                 reinterpret_cast<char*>(&header));
    DWORD read = 0;
    if (!BackupRead(file, reinterpret_cast<BYTE*>(&header), headerBytes, &read, FALSE, FALSE, &context)) {
      rc = lastError();
      break;
    }
    if (read == 0) break;  // every stream seen
    if (read != headerBytes) {
      rc = ERROR_READ_FAULT;
      break;
    }
    std::wstring name(header.dwStreamNameSize / sizeof(wchar_t), L'\0');
    if (header.dwStreamNameSize &&
        (!BackupRead(file, reinterpret_cast<BYTE*>(&name[0]), header.dwStreamNameSize, &read, FALSE, FALSE,
                     &context) ||
         read != header.dwStreamNameSize)) {
      rc = lastError();
      break;
    }
    if (header.dwStreamId == BACKUP_ALTERNATE_DATA)
      out->push_back({streamName(narrow(name.data(), name.size())), static_cast<uint64_t>(header.Size.QuadPart)});
    DWORD low = 0, high = 0;
    if (header.Size.QuadPart &&
        !BackupSeek(file, header.Size.LowPart, static_cast<DWORD>(header.Size.HighPart), &low, &high, &context)) {
      rc = lastError();
      break;
    }
  }
  DWORD ignored = 0;
  BackupRead(file, nullptr, 0, &ignored, TRUE, FALSE, &context);  // frees the context
  return rc;
}

}  // namespace

Win32OpenFile::Win32OpenFile(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}

Win32OpenFile::~Win32OpenFile() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

std::unique_ptr<OpenFile> Win32OpenFile::open(const std::string& path, long* error) {
  const bool old = windows9x();
  // 95, 98 and ME know neither delete access nor reparse points.
  const DWORD access = GENERIC_READ | GENERIC_WRITE | (old ? 0 : DELETE);
  auto create = [&](DWORD flags) {
    return CreateFileA(path.c_str(), access, 0, nullptr, OPEN_EXISTING, flags, nullptr);
  };
  HANDLE file = create(old ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_OPEN_REPARSE_POINT);
  // NT 4 knows no reparse points and may refuse the flag.
  if (file == INVALID_HANDLE_VALUE && !old && GetLastError() == ERROR_INVALID_PARAMETER)
    file = create(FILE_ATTRIBUTE_NORMAL);
  // A read-only file refuses write access: held for reading and setting attributes.
  if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
    file = CreateFileA(path.c_str(), GENERIC_READ | (old ? 0 : FILE_WRITE_ATTRIBUTES | DELETE), 0, nullptr,
                       OPEN_EXISTING, old ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = lastError();
    return nullptr;
  }
  *error = ERROR_SUCCESS;
  return std::make_unique<Win32OpenFile>(file, path);
}

std::unique_ptr<OpenFile> Win32OpenFile::createNew(const std::string& path, long* error) {
  const DWORD access = GENERIC_READ | GENERIC_WRITE | (windows9x() ? 0 : DELETE);
  HANDLE file = CreateFileA(path.c_str(), access, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = lastError();
    return nullptr;
  }
  *error = ERROR_SUCCESS;
  return std::make_unique<Win32OpenFile>(file, path);
}

FileIdentity Win32OpenFile::identity() {
  FileIdentity identity;
  if (!identityOf(handle_, &identity)) {
    identity = FileIdentity();
    identity.attributes = fileattr::Invalid;
    return identity;
  }
  identity.known = !windows9x();  // 9x makes up its file ids per open
  return identity;
}

long Win32OpenFile::size(uint64_t* bytes) {
  DWORD high = 0;
  const DWORD low = GetFileSize(handle_, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return lastError();
  *bytes = (static_cast<uint64_t>(high) << 32) | low;
  return ERROR_SUCCESS;
}

long Win32OpenFile::seek(uint64_t offset) {
  LONG high = static_cast<LONG>(offset >> 32);
  SetLastError(NO_ERROR);
  if (SetFilePointer(handle_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR)
    return lastError();
  return ERROR_SUCCESS;
}

long Win32OpenFile::readAt(uint64_t offset, size_t bytes, std::string* out) {
  out->clear();
  if (const long rc = seek(offset)) return rc;
  out->resize(bytes);
  DWORD got = 0;
  if (bytes && !ReadFile(handle_, &(*out)[0], static_cast<DWORD>(bytes), &got, nullptr)) {
    out->clear();
    return lastError();
  }
  out->resize(got);
  return ERROR_SUCCESS;
}

long Win32OpenFile::writeAt(uint64_t offset, std::string_view data) {
  if (const long rc = seek(offset)) return rc;
  DWORD written = 0;
  if (!data.empty() && (!WriteFile(handle_, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) ||
                        written != data.size()))
    return lastError();
  return ERROR_SUCCESS;
}

long Win32OpenFile::flush() { return FlushFileBuffers(handle_) ? ERROR_SUCCESS : lastError(); }

long Win32OpenFile::setLength(uint64_t length) {
  if (const long rc = seek(length)) return rc;
  return SetEndOfFile(handle_) ? ERROR_SUCCESS : lastError();
}

long Win32OpenFile::setAttributes(uint32_t attributes) {
  const nt::Calls& nt = nt::calls();
  if (!nt.setInformationFile)  // 95, 98, ME: no links, so the name is the file
    return SetFileAttributesA(path_.c_str(), attributes) ? ERROR_SUCCESS : lastError();
  BasicInformation info = {};
  // Zero would leave the attributes as they are: "none" is FILE_ATTRIBUTE_NORMAL.
  info.fileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  nt::IoStatusBlock io = {};
  return nt::errorOf(nt.setInformationFile(handle_, &io, &info, sizeof info, nt::FileBasicInformation));
}

long Win32OpenFile::namedStreams(std::vector<StreamInfo>* out) {
  out->clear();
  if (windows9x()) return ERROR_SUCCESS;  // no streams there
  if (listByQuery(handle_, out) == ERROR_SUCCESS) return ERROR_SUCCESS;
  out->clear();
  const long rc = listByBackupRead(handle_, out);
  // A file system that can tell no streams keeps none (FAT).
  if (rc == ERROR_NOT_SUPPORTED || rc == ERROR_INVALID_FUNCTION) {
    out->clear();
    return ERROR_SUCCESS;
  }
  return rc;
}

std::unique_ptr<OpenFile> Win32OpenFile::openStream(const std::string& name, long* error) {
  const nt::Calls& nt = nt::calls();
  if (!nt.createFile) {
    *error = ERROR_NOT_SUPPORTED;
    return nullptr;
  }
  // ":name" relative to this very file's handle: no path that could lead elsewhere.
  std::wstring relative = nt::wide(":" + name);
  nt::UnicodeString objectName = {static_cast<USHORT>(relative.size() * sizeof(wchar_t)),
                                  static_cast<USHORT>(relative.size() * sizeof(wchar_t)), &relative[0]};
  nt::ObjectAttributes attributes;
  attributes.rootDirectory = handle_;
  attributes.objectName = &objectName;
  attributes.attributes = nt::ObjCaseInsensitive;
  nt::IoStatusBlock io = {};
  HANDLE stream = nullptr;
  const nt::Status status =
      nt.createFile(&stream, GENERIC_READ | GENERIC_WRITE | SYNCHRONIZE, &attributes, &io, nullptr, 0, 0, nt::FileOpen,
                    nt::FileNonDirectoryFile | nt::FileSynchronousIoNonAlert, nullptr, 0);
  if (status < 0) {
    *error = nt::errorOf(status);
    return nullptr;
  }
  *error = ERROR_SUCCESS;
  return std::make_unique<Win32OpenFile>(stream, path_ + ":" + name);
}

long Win32OpenFile::rename(const std::string& newName) {
  if (!nt::calls().setInformationFile) {  // 95, 98, ME
    const std::string renamed = path_.substr(0, path_.find_last_of("\\/") + 1) + newName;
    if (!MoveFileA(path_.c_str(), renamed.c_str())) return lastError();
    path_ = renamed;
    return ERROR_SUCCESS;
  }
  return renameWithin(newName, false);
}

long Win32OpenFile::replace(const std::string& newName) {
  const std::string target = path_.substr(0, path_.find_last_of("\\/") + 1) + newName;
  return nt::calls().setInformationFile ? renameWithin(newName, true) : replaceByName(target);
}

long Win32OpenFile::renameWithin(const std::string& newName, bool replacing) {
  const std::string renamed = path_.substr(0, path_.find_last_of("\\/") + 1) + newName;
  // A bare name renames the file within its own folder; Wine 8 takes only a full path
  // (ERROR_BAD_PATHNAME), which names the folder the file was opened in.
  long rc = renameTo(newName, replacing);
  if (rc == ERROR_BAD_PATHNAME) rc = renameTo("\\??\\" + renamed, replacing);
  if (rc == ERROR_SUCCESS) path_ = renamed;
  return rc;
}

long Win32OpenFile::replaceByName(const std::string& target) {
  // 9x renames no open file: what was written is flushed and the handle let go first.
  FlushFileBuffers(handle_);
  CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  std::string aside;
  if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    for (int n = 0; aside.empty() && n < 100; ++n) {
      const std::string name = target + ".old" + (n ? std::to_string(n) : std::string());
      if (MoveFileA(target.c_str(), name.c_str())) aside = name;
      else if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return lastError();
    }
    if (aside.empty()) return ERROR_FILE_EXISTS;
  }
  if (!MoveFileA(path_.c_str(), target.c_str())) {
    const long rc = lastError();
    if (!aside.empty()) MoveFileA(aside.c_str(), target.c_str());
    return rc;
  }
  if (!aside.empty()) DeleteFileA(aside.c_str());
  path_ = target;
  return ERROR_SUCCESS;
}

long Win32OpenFile::renameTo(const std::string& target, bool replacing) {
  const std::wstring name = nt::wide(target);
  std::vector<char> buffer(sizeof(RenameInformation) + name.size() * sizeof(wchar_t));
  RenameInformation* info = reinterpret_cast<RenameInformation*>(buffer.data());
  info->replaceIfExists = replacing ? TRUE : FALSE;
  info->rootDirectory = nullptr;
  info->fileNameLength = static_cast<ULONG>(name.size() * sizeof(wchar_t));
  std::memcpy(info->fileName, name.data(), info->fileNameLength);
  nt::IoStatusBlock io = {};
  return nt::errorOf(
      nt::calls().setInformationFile(handle_, &io, info, static_cast<ULONG>(buffer.size()), nt::FileRenameInformation));
}

long Win32OpenFile::remove() {
  const nt::Calls& nt = nt::calls();
  if (!nt.setInformationFile) {  // 95, 98, ME: no links, so the name is the file
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return DeleteFileA(path_.c_str()) ? ERROR_SUCCESS : lastError();
  }
  BOOLEAN deleteFile = TRUE;  // FILE_DISPOSITION_INFORMATION
  nt::IoStatusBlock io = {};
  return nt::errorOf(nt.setInformationFile(handle_, &io, &deleteFile, sizeof deleteFile, nt::FileDispositionInformation));
}

std::unique_ptr<OpenFile> Win32FileSystem::openFile(const std::string& path, long* error) {
  return Win32OpenFile::open(path, error);
}

std::unique_ptr<OpenFile> Win32FileSystem::createNewFile(const std::string& path, long* error) {
  return Win32OpenFile::createNew(path, error);
}

}  // namespace platform::win32

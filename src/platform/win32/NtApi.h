#pragma once
// The few ntdll calls a walk relative to a folder handle needs. Looked up at run time:
// Windows 95, 98 and ME have no such calls, and the program must still load there.
// The structures are the documented NT ones (wdm.h, ntifs.h), under names of our own so
// that they never clash with a header that declares some of them.
#include <windows.h>

namespace platform::win32::nt {

using Status = LONG;

struct UnicodeString {
  USHORT length;  // in bytes, no terminator
  USHORT maximumLength;
  WCHAR* buffer;
};

struct ObjectAttributes {
  ULONG length;
  HANDLE rootDirectory;
  UnicodeString* objectName;
  ULONG attributes;
  void* securityDescriptor;
  void* securityQualityOfService;
};

struct IoStatusBlock {
  union {
    Status status;
    void* pointer;
  };
  ULONG_PTR information;
};

// FILE_BOTH_DIR_INFORMATION
struct BothDirInformation {
  ULONG nextEntryOffset;
  ULONG fileIndex;
  LARGE_INTEGER creationTime, lastAccessTime, lastWriteTime, changeTime;
  LARGE_INTEGER endOfFile, allocationSize;
  ULONG fileAttributes;
  ULONG fileNameLength;  // bytes
  ULONG eaSize;
  CCHAR shortNameLength;  // bytes
  WCHAR shortName[12];
  WCHAR fileName[1];
};

// FILE_BASIC_INFORMATION: a zero time leaves that time as it is.
struct BasicInformation {
  LARGE_INTEGER creationTime, lastAccessTime, lastWriteTime, changeTime;
  ULONG fileAttributes;
};

struct DispositionInformation {
  BOOLEAN deleteFile;
};

// FILE_STANDARD_INFORMATION
struct StandardInformation {
  LARGE_INTEGER allocationSize, endOfFile;
  ULONG numberOfLinks;
  BOOLEAN deletePending, directory;
};

// FILE_INTERNAL_INFORMATION: the file's index on its volume.
struct InternalInformation {
  LARGE_INTEGER indexNumber;
};

enum : ULONG {
  FileBothDirectoryInformation = 3,
  FileBasicInformation = 4,
  FileStandardInformation = 5,
  FileInternalInformation = 6,
  FileDispositionInformation = 13,
};

constexpr ULONG kObjCaseInsensitive = 0x40;
constexpr ULONG kFileOpen = 1, kFileCreate = 2;
constexpr ULONG kDirectoryFile = 0x1, kSynchronousIoNonAlert = 0x20, kNonDirectoryFile = 0x40,
                kDeleteOnClose = 0x1000, kOpenForBackupIntent = 0x4000, kOpenReparsePoint = 0x200000;
constexpr Status kNoMoreFiles = static_cast<Status>(0x80000006);
constexpr Status kInvalidParameter = static_cast<Status>(0xC000000D);

using CreateFileFn = Status(NTAPI*)(HANDLE*, ACCESS_MASK, ObjectAttributes*, IoStatusBlock*, LARGE_INTEGER*, ULONG,
                                    ULONG, ULONG, ULONG, void*, ULONG);
using QueryDirectoryFileFn = Status(NTAPI*)(HANDLE, HANDLE, void*, void*, IoStatusBlock*, void*, ULONG, ULONG, BOOLEAN,
                                            UnicodeString*, BOOLEAN);
using SetInformationFileFn = Status(NTAPI*)(HANDLE, IoStatusBlock*, void*, ULONG, ULONG);
using QueryInformationFileFn = Status(NTAPI*)(HANDLE, IoStatusBlock*, void*, ULONG, ULONG);
using StatusToDosErrorFn = ULONG(NTAPI*)(Status);

struct Api {
  CreateFileFn createFile = nullptr;
  QueryDirectoryFileFn queryDirectoryFile = nullptr;
  SetInformationFileFn setInformationFile = nullptr;
  QueryInformationFileFn queryInformationFile = nullptr;
  StatusToDosErrorFn statusToDosError = nullptr;
  bool complete() const {
    return createFile && queryDirectoryFile && setInformationFile && queryInformationFile && statusToDosError;
  }
  long error(Status status) const { return static_cast<long>(statusToDosError(status)); }
};

// ntdll's calls, or an incomplete set where there is no ntdll (95, 98, ME).
const Api& api();

}  // namespace platform::win32::nt

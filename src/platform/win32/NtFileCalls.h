#pragma once
// ntdll's file calls, which act on a handle where kernel32 knows only names: renaming,
// deleting and setting attributes through a handle, opening relative to one. Windows 95,
// 98 and ME have no ntdll file calls, so each is looked up at run time and is null there.
#include <windows.h>

#include <string>

namespace platform::win32::nt {

using Status = LONG;  // NTSTATUS: negative when failed

struct UnicodeString {
  USHORT length;  // in bytes, without a terminator
  USHORT maximumLength;
  wchar_t* buffer;
};

struct ObjectAttributes {
  ULONG length = sizeof(ObjectAttributes);
  HANDLE rootDirectory = nullptr;
  UnicodeString* objectName = nullptr;
  ULONG attributes = 0;
  void* securityDescriptor = nullptr;
  void* securityQualityOfService = nullptr;
};

struct IoStatusBlock {
  union {
    Status status;
    void* pointer;
  };
  ULONG_PTR information;
};

// FILE_INFORMATION_CLASS values used here.
enum InformationClass : ULONG {
  FileBasicInformation = 4,
  FileRenameInformation = 10,
  FileDispositionInformation = 13,
  FileStreamInformation = 22,
};

constexpr ULONG ObjCaseInsensitive = 0x40;
constexpr ULONG FileOpen = 1;                     // FILE_OPEN: only an existing one
constexpr ULONG FileNonDirectoryFile = 0x40;
constexpr ULONG FileSynchronousIoNonAlert = 0x20;
constexpr ULONG FileOpenReparsePoint = 0x200000;

struct Calls {
  Status(WINAPI* createFile)(HANDLE*, ACCESS_MASK, ObjectAttributes*, IoStatusBlock*, LARGE_INTEGER*, ULONG, ULONG,
                             ULONG, ULONG, void*, ULONG) = nullptr;
  Status(WINAPI* setInformationFile)(HANDLE, IoStatusBlock*, void*, ULONG, ULONG) = nullptr;
  Status(WINAPI* queryInformationFile)(HANDLE, IoStatusBlock*, void*, ULONG, ULONG) = nullptr;
  ULONG(WINAPI* statusToDosError)(Status) = nullptr;
};

// The calls this Windows has; every pointer null on 95, 98 and ME.
const Calls& calls();

// The Win32 error code for a status, or ERROR_INVALID_FUNCTION where ntdll cannot tell.
long errorOf(Status status);

// A narrow name in the ANSI code page as ntdll takes it.
std::wstring wide(const std::string& narrow);

}  // namespace platform::win32::nt

#include "platform/win32/Win32System.h"

namespace platform::win32 {

Win32System::Win32System(std::string instanceName) : instanceName_(std::move(instanceName)) {}

Win32System::~Win32System() {
  if (mutex_) CloseHandle(mutex_);
}

bool Win32System::getVersion(OsVersion* out) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // 148: the only size Windows 95 accepts
  if (!GetVersionExA(&info)) return false;
  out->major = info.dwMajorVersion;
  out->minor = info.dwMinorVersion;
  out->build = info.dwBuildNumber;
  out->platformId = info.dwPlatformId;
  out->servicePack = info.szCSDVersion;
  return true;
}

bool Win32System::anotherInstanceRunning() {
  // The answer of the first call stands: by then this process owns the name or does not.
  if (checked_) return another_;
  checked_ = true;
  mutex_ = CreateMutexA(nullptr, FALSE, instanceName_.c_str());
  another_ = mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  return another_;
}

std::string Win32System::programFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  const std::string::size_type slash = folder.find_last_of('\\');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

std::string Win32System::tempPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(MAX_PATH, path);
  return length > 0 && length <= MAX_PATH ? std::string(path, length) : std::string();
}

bool Win32System::memoryStatus(MemoryStatus* out) {
  // GlobalMemoryStatus caps its figures at 2 GB (and wraps them on some systems); the Ex
  // form, from Windows 2000 on, gives the true 64-bit counts.
  using StatusEx = BOOL(WINAPI*)(MEMORYSTATUSEX*);
  static const auto statusEx = reinterpret_cast<StatusEx>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx")));
  if (statusEx) {
    MEMORYSTATUSEX ex = {};
    ex.dwLength = sizeof ex;
    if (statusEx(&ex)) {
      *out = {ex.dwMemoryLoad, ex.ullTotalPhys, ex.ullAvailPhys, ex.ullTotalPageFile, ex.ullAvailPageFile,
              ex.ullTotalVirtual, ex.ullAvailVirtual};
      return true;
    }
  }
  MEMORYSTATUS status = {};
  status.dwLength = sizeof status;  // 32 in the 32-bit layout
  GlobalMemoryStatus(&status);
  *out = {status.dwMemoryLoad, status.dwTotalPhys, status.dwAvailPhys, status.dwTotalPageFile,
          status.dwAvailPageFile, status.dwTotalVirtual, status.dwAvailVirtual};
  return true;
}

bool Win32System::processorInfo(ProcessorInfo* out) {
  SYSTEM_INFO info = {};
  GetSystemInfo(&info);
  out->pageSize = info.dwPageSize;
  out->minimumApplicationAddress = reinterpret_cast<std::uintptr_t>(info.lpMinimumApplicationAddress);
  out->maximumApplicationAddress = reinterpret_cast<std::uintptr_t>(info.lpMaximumApplicationAddress);
  out->numberOfProcessors = info.dwNumberOfProcessors;
  out->allocationGranularity = info.dwAllocationGranularity;
  return true;
}

uint64_t Win32System::fileTimeNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

void Win32System::endProgram() {
  if (beforeExit) {
    try {
      beforeExit();
    } catch (...) {
    }
  }
  ExitProcess(0);
}

}  // namespace platform::win32

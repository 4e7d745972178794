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

LocalTime Win32System::localTime() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond};
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

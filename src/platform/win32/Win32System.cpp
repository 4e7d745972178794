#include "platform/win32/Win32System.h"

namespace platform::win32 {

Win32System::Win32System(std::string instanceName) : instanceName_(std::move(instanceName)) {}

namespace {
constexpr DWORD kClaimRetryMs = 250;
}

Win32System::~Win32System() {
  if (commandLineMark_) CloseHandle(commandLineMark_);
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

std::string Win32System::commandLineMarkName() const { return instanceName_ + ".CommandLine"; }

void Win32System::markCommandLineRun() {
  if (!commandLineMark_) commandLineMark_ = CreateMutexA(nullptr, FALSE, commandLineMarkName().c_str());
}

bool Win32System::waitOutCommandLineRun(uint32_t maxMs) {
  if (!anotherInstanceRunning()) return true;
  const DWORD start = GetTickCount();
  for (;;) {
    // The name lives while any handle to it does, this instance's own included: let go of
    // it before each look.
    if (mutex_) CloseHandle(mutex_);
    mutex_ = CreateMutexA(nullptr, FALSE, instanceName_.c_str());
    if (mutex_ && GetLastError() != ERROR_ALREADY_EXISTS) {
      another_ = false;
      return true;
    }
    HANDLE running = OpenMutexA(SYNCHRONIZE, FALSE, commandLineMarkName().c_str());
    if (!running) return false;  // the other instance is a window of the user's
    CloseHandle(running);
    if (GetTickCount() - start >= maxMs) return false;
    Sleep(kClaimRetryMs);
  }
}

std::string Win32System::programFile() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

std::string Win32System::programFolder() {
  const std::string folder = programFile();
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

std::string Win32System::programName() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, length);
  const std::string::size_type slash = name.find_last_of('\\');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const std::string::size_type dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

uint32_t Win32System::currentProcessId() { return GetCurrentProcessId(); }

bool Win32System::registerServiceProcess(uint32_t processId, uint32_t type) {
  // Only Windows 95, 98 and ME export it.
  using Register = DWORD(WINAPI*)(DWORD, DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto registerProcess =
      kernel ? reinterpret_cast<Register>(reinterpret_cast<void*>(GetProcAddress(kernel, "RegisterServiceProcess")))
             : nullptr;
  return registerProcess && registerProcess(processId, type) != 0;
}

bool Win32System::openProcessToken(uint32_t access, TokenHandle* token) {
  HANDLE handle = nullptr;
  const bool ok = OpenProcessToken(GetCurrentProcess(), access, &handle) != FALSE;
  *token = ok ? reinterpret_cast<TokenHandle>(handle) : 0;
  return ok;
}

bool Win32System::lookupPrivilegeValue(const std::string& systemName, const std::string& name, Luid* luid) {
  LUID found = {};
  // No name at all is the local system on every NT; an empty one is not documented as such.
  if (!LookupPrivilegeValueA(systemName.empty() ? nullptr : systemName.c_str(), name.c_str(), &found)) return false;
  luid->lowPart = found.LowPart;
  luid->highPart = found.HighPart;
  return true;
}

bool Win32System::adjustTokenPrivilege(TokenHandle token, bool disableAll, const Luid& luid, uint32_t attributes,
                                       uint32_t previousStateLength) {
  TOKEN_PRIVILEGES state = {};
  state.PrivilegeCount = 1;
  state.Privileges[0].Luid.LowPart = luid.lowPart;
  state.Privileges[0].Luid.HighPart = luid.highPart;
  state.Privileges[0].Attributes = attributes;
  TOKEN_PRIVILEGES previous = {};
  DWORD needed = 0;
  const DWORD length = previousStateLength < sizeof previous ? previousStateLength : sizeof previous;
  return AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), disableAll, &state, length, &previous, &needed) !=
         FALSE;
}

void Win32System::closeToken(TokenHandle token) {
  if (token) CloseHandle(reinterpret_cast<HANDLE>(token));
}

bool Win32System::exitWindows(uint32_t flags, uint32_t reason) { return ExitWindowsEx(flags, reason) != FALSE; }

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

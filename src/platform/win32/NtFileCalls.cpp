#include "platform/win32/NtFileCalls.h"

namespace platform::win32::nt {

namespace {

template <typename F>
void lookUp(HMODULE ntdll, const char* name, F* out) {
  *out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

Calls lookUpAll() {
  Calls c;
  if ((GetVersion() & 0x80000000u) != 0) return c;  // 95, 98, ME: their ntdll has no file calls
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll) return c;
  lookUp(ntdll, "NtCreateFile", &c.createFile);
  lookUp(ntdll, "NtSetInformationFile", &c.setInformationFile);
  lookUp(ntdll, "NtQueryInformationFile", &c.queryInformationFile);
  lookUp(ntdll, "RtlNtStatusToDosError", &c.statusToDosError);
  return c;
}

}  // namespace

const Calls& calls() {
  static const Calls looked = lookUpAll();
  return looked;
}

long errorOf(Status status) {
  if (status >= 0) return ERROR_SUCCESS;
  const ULONG code = calls().statusToDosError ? calls().statusToDosError(status) : ERROR_INVALID_FUNCTION;
  return code ? static_cast<long>(code) : ERROR_INVALID_FUNCTION;
}

std::wstring wide(const std::string& narrow) {
  if (narrow.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), &out[0], n);
  return out;
}

}  // namespace platform::win32::nt

// The static MinGW runtime calls three wide functions of its own: CreateSemaphoreW
// (the locks behind static-local initialisation and exception handling),
// GetModuleHandleW and LoadLibraryW. Windows 95, 98 and ME export them as
// placeholders that fail, so every contended runtime lock would fail there.
// Defining their import pointers here, in an object linked into each program,
// takes them out of the import table: the runtime calls these narrow wrappers
// instead. (In a static library the import library's pointers would win.)
#include <windows.h>

namespace {

// Converts a wide name to the ANSI code page; a null name stays null.
bool narrow(LPCWSTR wide, char (&out)[MAX_PATH], const char** result) {
  *result = nullptr;
  if (!wide) return true;
  if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, out, MAX_PATH, nullptr, nullptr)) return false;
  *result = out;
  return true;
}

HANDLE WINAPI createSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
  char buffer[MAX_PATH];
  const char* ansi = nullptr;
  if (!narrow(name, buffer, &ansi)) return nullptr;
  return CreateSemaphoreA(security, initial, maximum, ansi);
}

HMODULE WINAPI getModuleHandle(LPCWSTR name) {
  char buffer[MAX_PATH];
  const char* ansi = nullptr;
  if (!narrow(name, buffer, &ansi)) return nullptr;
  return GetModuleHandleA(ansi);
}

HMODULE WINAPI loadLibrary(LPCWSTR name) {
  char buffer[MAX_PATH];
  const char* ansi = nullptr;
  if (!narrow(name, buffer, &ansi)) return nullptr;
  if (!ansi) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return LoadLibraryA(ansi);
}

}  // namespace

// The import pointers' link names: stdcall-decorated on 32-bit Windows, plain on 64-bit.
#ifdef _WIN64
#define QUELLERY_IMPORT(name, argumentBytes) "__imp_" #name
#else
#define QUELLERY_IMPORT(name, argumentBytes) "__imp__" #name "@" #argumentBytes
#endif

extern "C" {
extern decltype(&createSemaphore) const importCreateSemaphoreW __asm__(QUELLERY_IMPORT(CreateSemaphoreW, 16));
extern decltype(&getModuleHandle) const importGetModuleHandleW __asm__(QUELLERY_IMPORT(GetModuleHandleW, 4));
extern decltype(&loadLibrary) const importLoadLibraryW __asm__(QUELLERY_IMPORT(LoadLibraryW, 4));

decltype(&createSemaphore) const importCreateSemaphoreW = &createSemaphore;
decltype(&getModuleHandle) const importGetModuleHandleW = &getModuleHandle;
decltype(&loadLibrary) const importLoadLibraryW = &loadLibrary;
}

#include "platform/win32/LateFunction.h"

#include <string>

namespace platform::win32 {

void* lateFunctionAddress(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) {
    // By its full name, so that a same-named file beside the program is never loaded instead.
    char folder[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    module = LoadLibraryA((std::string(folder) + "\\" + library).c_str());
  }
  return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

}  // namespace platform::win32

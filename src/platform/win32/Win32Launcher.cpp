#include "platform/win32/Win32Launcher.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/LateFunction.h"

namespace platform::win32 {

bool Win32Launcher::shellExecute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& directory, int show) {
  static const auto execute = lateFunction<decltype(&::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  if (!execute) return false;
  HINSTANCE result = execute(reinterpret_cast<HWND>(owner), verb.c_str(), file.c_str(),
                                   parameters.empty() ? nullptr : parameters.c_str(),
                                   directory.empty() ? nullptr : directory.c_str(), show);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace platform::win32

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/LateFunction.h"
#include "platform/win32/Win32FileSystem.h"

namespace platform::win32 {

bool Win32FileSystem::shellCopyFile(const std::string& from, const std::string& to) {
  static const auto operate = lateFunction<decltype(&::SHFileOperationA)>("shell32.dll", "SHFileOperationA");
  if (!operate) return false;
  // The shell takes lists of names, each ended by a zero, the list by a second one.
  const std::string source = from + '\0', target = to + '\0';
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_COPY;
  operation.pFrom = source.c_str();
  operation.pTo = target.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT;
  return operate(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace platform::win32

#include "platform/win32/Win32Dialogs.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/LateFunction.h"

namespace platform::win32 {

void Win32Dialogs::setBusyPointer(bool busy) { SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

std::string Win32Dialogs::openFileName(const std::string& filter, uint32_t flags, size_t bufferSize) {
  static const auto ask = lateFunction<decltype(&::GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  if (!ask) return std::string();
  // "Name|pattern" pairs become the zero-separated list the dialog reads.
  std::string pairs = filter;
  for (char& c : pairs)
    if (c == '|') c = '\0';
  pairs.append(2, '\0');
  std::vector<char> buffer(bufferSize + 2, '\0');
  OPENFILENAMEA dialog = {};
  // The size every Windows since 95 accepts; the longer record is refused before 2000.
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = pairs.c_str();
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(bufferSize);
  dialog.Flags = flags;
  if (!ask(&dialog)) return std::string();
  // Up to the double zero that closes the list (one zero ends a single path).
  size_t end = 0;
  while (end + 1 < buffer.size() && !(buffer[end] == '\0' && buffer[end + 1] == '\0')) ++end;
  return std::string(buffer.data(), end);
}

}  // namespace platform::win32

#include "platform/win32/Win32Dialogs.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/LateFunction.h"

namespace platform::win32 {

void Win32Dialogs::setBusyPointer(bool busy) { SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

namespace {

// "Name|pattern" pairs become the zero-separated list the dialog reads.
std::string filterPairs(const std::string& filter) {
  std::string pairs = filter;
  for (char& c : pairs)
    if (c == '|') c = '\0';
  pairs.append(2, '\0');
  return pairs;
}

}  // namespace

std::string Win32Dialogs::openFileName(const std::string& filter, uint32_t flags, size_t bufferSize) {
  static const auto ask = lateFunction<decltype(&::GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  if (!ask) return std::string();
  const std::string pairs = filterPairs(filter);
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

std::string Win32Dialogs::saveFileName(std::uintptr_t window, const std::string& filter, const std::string& suggested,
                                      const std::string& extension) {
  static const auto ask = lateFunction<decltype(&::GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
  if (!ask) return std::string();
  const std::string pairs = filterPairs(filter);
  char buffer[MAX_PATH + 1] = {};
  suggested.copy(buffer, MAX_PATH);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = window ? reinterpret_cast<HWND>(window) : owner;
  dialog.lpstrFilter = pairs.c_str();
  dialog.lpstrFile = buffer;
  dialog.nMaxFile = sizeof buffer;
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
  if (!ask(&dialog)) return std::string();
  return buffer;
}

}  // namespace platform::win32

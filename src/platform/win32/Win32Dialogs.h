#pragma once
#include <windows.h>

#include "platform/Dialogs.h"

namespace platform::win32 {

// MessageBoxA, the wait cursor and comdlg32's open-file and save-file dialogs.
class Win32Dialogs : public Dialogs {
 public:
  void setBusyPointer(bool busy) override;
  std::string openFileName(const std::string& filter, uint32_t flags, size_t bufferSize) override;
  std::string saveFileName(std::uintptr_t window, const std::string& filter, const std::string& suggested,
                           const std::string& extension) override;

  HWND owner = nullptr;  // the main window, once it exists
};

}  // namespace platform::win32

#pragma once
// The standard dialogs and the mouse pointer.
#include <cstdint>
#include <string>

namespace platform {

namespace mb {
constexpr uint32_t IconCritical = 0x10, IconExclamation = 0x30;
}

namespace ofn {
constexpr uint32_t AllowMultiSelect = 0x200, Explorer = 0x80000;
}

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // MessageBoxA over the main window with an OK button; `style` adds the MB_ icon bits.
  virtual void messageBox(const std::string& text, const std::string& title, uint32_t style) = 0;
  // The hourglass over the program's windows while `busy`, the arrow again after.
  virtual void setBusyPointer(bool busy) = 0;
  // GetOpenFileNameA with a "Name|pattern" filter, the OFN_ flags and a file-name buffer of
  // `bufferSize` characters: what the dialog left in the buffer up to its closing double zero
  // (one full path, or a folder, a zero and the names separated by zeros); empty when cancelled.
  virtual std::string openFileName(const std::string& filter, uint32_t flags, size_t bufferSize) = 0;
};

}  // namespace platform

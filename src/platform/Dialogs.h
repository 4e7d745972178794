#pragma once
// The file dialog and the mouse pointer; message boxes are the shell's.
#include <cstdint>
#include <string>

namespace platform {

namespace ofn {
constexpr uint32_t AllowMultiSelect = 0x200, Explorer = 0x80000;
}

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The hourglass over the program's windows while `busy`, the arrow again after.
  virtual void setBusyPointer(bool busy) = 0;
  // GetOpenFileNameA with a "Name|pattern" filter, the OFN_ flags and a file-name buffer of
  // `bufferSize` characters: what the dialog left in the buffer up to its closing double zero
  // (one full path, or a folder, a zero and the names separated by zeros); empty when cancelled.
  virtual std::string openFileName(const std::string& filter, uint32_t flags, size_t bufferSize) = 0;
  // GetSaveFileNameA over the window `owner` with a "Name|pattern" filter, offering
  // `suggested` and adding `extension` to a name typed without one; a chosen file that
  // exists is replaced only after the dialog asked. The full path, empty when cancelled.
  virtual std::string saveFileName(std::uintptr_t owner, const std::string& filter, const std::string& suggested,
                                   const std::string& extension) = 0;
};

}  // namespace platform

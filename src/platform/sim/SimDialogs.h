#pragma once
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace platform::sim {

// Records the dialogs the program showed and answers the file dialog as a test scripts it.
class SimDialogs : public Dialogs {
 public:
  void setBusyPointer(bool busy) override { busyPointer = busy; }
  std::string openFileName(const std::string& filter, uint32_t flags, size_t bufferSize) override {
    fileDialogs.push_back({filter, flags, bufferSize});
    return fileDialogAnswer;
  }
  std::string saveFileName(std::uintptr_t, const std::string& filter, const std::string& suggested,
                           const std::string& extension) override {
    saveDialogs.push_back({filter, suggested, extension});
    return saveDialogAnswer;
  }

  bool busyPointer = false;
  struct FileDialog {
    std::string filter;
    uint32_t flags;
    size_t bufferSize;
  };
  std::vector<FileDialog> fileDialogs;
  std::string fileDialogAnswer;  // empty: the user cancels
  struct SaveDialog {
    std::string filter, suggested, extension;
  };
  std::vector<SaveDialog> saveDialogs;
  std::string saveDialogAnswer;  // empty: the user cancels
};

}  // namespace platform::sim

#pragma once
#include "platform/ProgramFiles.h"

namespace platform::win32 {

class Win32ProgramFiles : public ProgramFiles {
 public:
  std::unique_ptr<HeldFile> writeAndHold(const std::string& path, const std::string& data, long* error) override;
  std::unique_ptr<HeldFile> hold(const std::string& path, size_t maxBytes, long* error) override;
  bool startProgram(const std::string& path, const std::string& folder, int show) override;
  long moveReplacing(const std::string& from, const std::string& to) override;
  long rename(const std::string& from, const std::string& to) override;
};

}  // namespace platform::win32

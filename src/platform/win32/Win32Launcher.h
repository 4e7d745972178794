#pragma once
#include "platform/Launcher.h"

namespace platform::win32 {

class Win32Launcher : public Launcher {
 public:
  bool shellExecute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                    const std::string& parameters, const std::string& directory, int show) override;
};

}  // namespace platform::win32

#pragma once
// Starting another program through the shell.
#include <cstdint>
#include <string>

namespace platform {

namespace showcmd {
constexpr int Hide = 0, Normal = 1, MinimizedFocus = 2;
}

class Launcher {
 public:
  virtual ~Launcher() = default;
  // ShellExecuteA; true when the shell reports success (a result above 32).
  virtual bool shellExecute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                            const std::string& parameters, const std::string& directory, int show) = 0;
};

}  // namespace platform

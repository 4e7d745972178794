#pragma once
#include <string>
#include <vector>

#include "platform/Launcher.h"

namespace platform::sim {

// Records the programs the shell was asked to start.
class SimLauncher : public Launcher {
 public:
  struct Request {
    std::uintptr_t owner;
    std::string verb, file, parameters, directory;
    int show;
  };
  bool shellExecute(std::uintptr_t owner, const std::string& verb, const std::string& file,
                    const std::string& parameters, const std::string& directory, int show) override {
    requests.push_back({owner, verb, file, parameters, directory, show});
    return succeed;
  }
  std::vector<Request> requests;
  bool succeed = true;
};

}  // namespace platform::sim

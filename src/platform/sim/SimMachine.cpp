#include "platform/sim/SimMachine.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include <ftw.h>
#include <unistd.h>

namespace platform::sim {

namespace {

std::string makeHostRoot() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/quellery-sim-XXXXXX";
  if (!mkdtemp(&pattern[0])) throw std::runtime_error("cannot create the simulated machine's folder");
  return pattern;
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

}  // namespace

SimMachine::SimMachine()
    : hostRoot(makeHostRoot()), files(hostRoot), platform_{loop, registry, files, shell, system, urlCache, urlHistory, launcher, desktop, &http} {
  http.online = false;  // no network unless a test says so
  system.clock = &loop;
  platform_.dialogs = &dialogs;
  platform_.programFiles = &programFiles;
  files.windowsFolder = [this] { return shell.windowsDir; };
}

SimMachine::~SimMachine() { nftw(hostRoot.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS); }

}  // namespace platform::sim

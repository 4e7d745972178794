#pragma once
// A whole simulated Windows machine for host tests: its file tree lives in a fresh
// temporary host folder that is removed with the machine.
#include <string>

#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimDialogs.h"
#include "platform/sim/SimEventLoop.h"
#include "platform/sim/SimFileSystem.h"
#include "platform/sim/SimHttp.h"
#include "platform/sim/SimLauncher.h"
#include "platform/sim/SimProgramFiles.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimUrlCache.h"
#include "platform/sim/SimUrlHistory.h"

namespace platform::sim {

class SimMachine {
 public:
  SimMachine();
  ~SimMachine();
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  const std::string hostRoot;  // where drive C: and the others live on the host
  SimEventLoop loop;
  SimRegistry registry;
  SimFileSystem files;
  SimShell shell;
  SimSystem system;
  SimUrlCache urlCache;
  SimUrlHistory urlHistory;
  SimLauncher launcher;
  SimDesktop desktop;
  SimHttp http;
  SimDialogs dialogs;
  SimProgramFiles programFiles{files};
  Platform& platform() { return platform_; }

 private:
  Platform platform_;
};

}  // namespace platform::sim

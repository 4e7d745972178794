#pragma once
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace platform::sim {

// Records what the program asked of the shell.
class SimShell : public Shell {
 public:
  bool notifyIcon(uint32_t operation, const TrayIconRecord& record) override;
  bool openDocument(const std::string& target) override;

  int trayIcons = 0;  // icons currently in the notification area
  TrayIconRecord lastTrayRecord;
  std::vector<std::string> opened;
};

}  // namespace platform::sim

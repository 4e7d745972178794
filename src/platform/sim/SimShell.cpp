#include "platform/sim/SimShell.h"

namespace platform::sim {

bool SimShell::notifyIcon(uint32_t operation, const TrayIconRecord& record) {
  if (operation == trayop::Add) {
    if (trayIcons > 0) return false;  // one icon per window and id
    ++trayIcons;
  } else if (operation == trayop::Delete) {
    if (trayIcons == 0) return false;
    --trayIcons;
  }
  lastTrayRecord = record;
  return true;
}

bool SimShell::openDocument(const std::string& target) {
  opened.push_back(target);
  return true;
}

}  // namespace platform::sim

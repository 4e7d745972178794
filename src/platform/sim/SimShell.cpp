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

void SimShell::messageBox(std::uintptr_t, const std::string& text, const std::string& title, uint32_t icon) {
  messages.push_back({text, title, icon});
}

long SimShell::emptyRecycleBin(std::uintptr_t owner, const std::string& drive, uint32_t flags) {
  recycleRequests.push_back({owner, drive, flags});
  if (recycleResult != 0) return recycleResult;
  for (auto& bin : recycleBins)
    if (drive.empty() || bin.first == drive) bin.second = 0;
  return 0;
}

void SimShell::clearRecentDocuments() {
  ++recentDocumentsClears;
  recentDocuments.clear();
}

bool SimShell::openClipboard(std::uintptr_t owner) {
  if (clipboardHeldElsewhere || clipboardOpen) return false;
  clipboardOpen = true;
  clipboardOwner = owner;
  return true;
}

bool SimShell::emptyClipboard() {
  if (!clipboardOpen) return false;  // only the program that opened it may empty it
  clipboardText.clear();
  return true;
}

bool SimShell::closeClipboard() {
  if (!clipboardOpen) return false;
  clipboardOpen = false;
  return true;
}

}  // namespace platform::sim

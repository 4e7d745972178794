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

long SimShell::emptyRecycleBin(std::uintptr_t owner, const std::string& drive, uint32_t flags) {
  recycleRequests.push_back({owner, drive, flags});
  if (recycleResult != 0) return recycleResult;
  for (auto& bin : recycleBins)
    if (drive.empty() || bin.first == drive) {
      bin.second = 0;
      recycleBinBytes.erase(bin.first);
    }
  return 0;
}

std::vector<RecycleBinContents> SimShell::recycleBinContents() {
  std::vector<RecycleBinContents> bins;
  for (const auto& [drive, items] : recycleBins) {
    RecycleBinContents bin;
    bin.drive = drive;
    if (recycleBinsTold) {
      if (items == 0) continue;
      bin.items = static_cast<uint64_t>(items);
      bin.bytes = recycleBinBytes.count(drive) ? recycleBinBytes.at(drive) : 0;
      bin.known = true;
    }
    bins.push_back(bin);
  }
  return bins;
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

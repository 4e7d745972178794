#pragma once
// Overwriting a drive's free space, where the contents of deleted files stay readable to
// an undelete tool: filler files in the program's own folder at the drive's root take the
// free space down to the room kept for Windows, are flushed to the disk, and go again.
#include <cstdint>
#include <functional>
#include <string>

namespace app {
struct Session;
}

namespace shredder {

struct WipeFigures {
  uint64_t done = 0;    // bytes written to fillers and flushed or being flushed
  uint64_t target = 0;  // the free space above the margin when the wipe began
  uint32_t elapsedMs = 0;
};

enum class WipeEnd { Done, Stopped, DriveFilled, Failed, Refused };

struct WipeResult {
  WipeEnd end = WipeEnd::Refused;
  WipeFigures figures;
  int fillersLeft = 0;       // filler files that could not be removed
  bool folderLeft = false;   // the wipe folder could not be removed
  std::string message;       // what the page shows
};

// Called after each block with the figures so far.
using WipeProgress = std::function<void(const WipeFigures&)>;

// Wipes the free space of drive `letter`, yielding to the window between blocks. Stopped
// through session.stopWipe(), which removes every filler at once. Refused (with the
// reason in the message) during a pass, a panic or another wipe, after closing, and on a
// drive wipeRefusal turns down.
WipeResult WipeFreeSpace(app::Session& session, char letter, const WipeProgress& progress);

}  // namespace shredder

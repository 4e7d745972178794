#pragma once
// The hand-over's second start: the new copy, "qy.exe", puts itself in the program's place.
namespace platform {
struct Platform;
}

namespace upgrade {

// This process is the new copy, started from the file the first step checked and held.
// The file may have changed since it was let go: only bytes that match the SHA-256 the
// first step stored are put in the program's place. Anything else ends the hand-over and
// starts the old program again.
void installCopy(platform::Platform& os);

}  // namespace upgrade

#pragma once
// What the wipe's label says: its progress, a refusal, and how the wipe ended.
#include <string>

#include "shredder/FreeSpaceWipe.h"

namespace shredder {

// "312 of 1,024 MB, 48 MB/s, 15 s left" (megabytes of 1,048,576 bytes, cut).
std::string wipeProgressText(const WipeFigures& figures);
// "D: is not wiped: it is a network drive, whose free space is the server's."
std::string refusedText(char letter, const char* reason);
// How the wipe ended, never claiming more than was written and flushed, and whether its
// filler files are gone.
std::string endText(char letter, const WipeResult& result, const std::string& reason);

}  // namespace shredder

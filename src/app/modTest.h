#pragma once
// Small routines shared by the whole program: a pause that keeps the window alive, a
// folder-tree delete and the Windows version text.
#include <cstdint>
#include <string>

#include "engine/RunContext.h"
#include "platform/Platform.h"

namespace app {

// Returns after `seconds` (fractions allowed), dispatching window events meanwhile.
void WaitSeconds(platform::Platform& os, double seconds);
// Deletes a folder with everything in it; true when it is gone.
bool DeleteFolderTree(const engine::RunContext& run, std::string path);
std::string FindOS(platform::Platform& os);
int16_t countDelimiters(const std::string& text, char delimiter);

}  // namespace app

#pragma once
// A profile folder a browser's own file names, and whether the items may clean in it.
#include <string>
#include <vector>

#include "clean/FolderTargets.h"
#include "erase/RunContext.h"

namespace browsers {

struct ProfileFolder {
  std::string path;  // normalised, with a trailing backslash
  // Named whole by the file (Firefox's IsRelative=0): cleaned as a folder another program
  // named, with nothing left to go at the next restart.
  bool namedWhole = false;
  bool cacheOnly = false;  // the local half of a profile, where Firefox keeps its caches
  // Why nothing in it is cleaned; empty when it may be.
  std::string refusal;
};

// The application-data folders the profiles lie below, normalised; empty when Windows tells
// none (local application data is missing from Windows 95 and from NT 4 without IE 5).
std::string RoamingAppData(const erase::RunContext& run);
std::string LocalAppData(const erase::RunContext& run);

// Judges a folder named whole by a browser's file (`normalised`, ending in "\\") as the run
// sees it: not another user's (on the NT family it must lie in the user's own profile), not
// one of the user's shell folders, Windows or Program Files nor a folder holding one, not a
// user's profile itself. The reason when refused, else empty.
std::string JudgeNamedFolder(const erase::RunContext& run, const std::string& normalised);

// A profile folder that is itself a link is refused, since what it names may lie anywhere
// (a link higher up is refused by the walks, which hold every folder from the drive down).
void RefuseIfLink(const erase::RunContext& run, ProfileFolder& folder);

// Which halves of the profiles a source yields.
enum class Halves { Profiles, Caches, Both };

// The folders of those halves without a refusal, as a source of the items' file actions.
std::vector<clean::FoundFolder> Accepted(const std::vector<ProfileFolder>& folders, Halves halves);

// Records each refused folder once in the item being walked, counted by why.
void RecordRefused(const erase::RunContext& run, const std::vector<ProfileFolder>& folders);

}  // namespace browsers

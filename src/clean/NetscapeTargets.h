#pragma once
// Where both generations of Netscape keep the files of one item: the Communicator user
// folders the registry names, and the Mozilla-based profiles below the user's profile.
#include <set>
#include <string>
#include <vector>

#include "erase/RunContext.h"
#include "platform/Registry.h"

namespace clean {

struct NetscapeSources {
  std::vector<std::string> userNames;  // joined to the machine-wide user's folder
  std::vector<std::string> biffNames;  // joined to the folder beside the install folder
  platform::HKey biffRoot;             // where the biff and Main keys are read
  std::string searchFiles;             // a blank-separated name list for FindFilesByName, or
  std::string searchFolder;            // a folder name for FindFoldersByName
  bool yieldFirst;                     // the cache item alone does not
  bool machineUserOnlyWhileRunning;    // the machine-wide user is skipped once stopped
};

struct NetscapeTarget {
  std::string path;
  bool machineWide;  // below a folder the machine-wide registry named
};

// The targets of one item in the order found. A user folder that is empty or not absolute,
// and a user name that is not a plain name, leave their source out: an empty folder would
// otherwise name the root of the current drive. A folder the machine-wide registry names
// that may be another user's is left out too, recorded as refused.
std::vector<NetscapeTarget> CollectNetscapeTargets(const erase::RunContext& run, const NetscapeSources& sources);

// True the first time `met` meets the path, letter case ignored: a place named twice is one
// target, and a preview must not promise it twice.
bool FirstMention(std::set<std::string>& met, const std::string& path);

}  // namespace clean

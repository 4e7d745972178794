#pragma once
// Files and folders an item names below a folder the machine tells, each reached through
// held handles.
#include <string>
#include <vector>

#include "erase/RunContext.h"

namespace clean {

// One folder a file action starts from, with a trailing backslash. A folder the
// machine-wide registry or another program's file names is cleaned only where every user
// may have it cleaned, and nothing in it is left to go at the next restart.
struct FoundFolder {
  std::string path;
  bool machineWide;
};

// Where a file action starts: found afresh at each run, since every user's folders differ.
struct FolderSource {
  // The folder with a trailing backslash; empty when there is none to clean.
  std::string (*find)(const erase::RunContext& run);
  bool machineWide;
  // Where there may be several (a browser's profiles), each of them; `find` is then null.
  std::vector<FoundFolder> (*findEach)(const erase::RunContext& run) = nullptr;

  std::vector<FoundFolder> folders(const erase::RunContext& run) const;
};

// Deletes the file `relative` below `base` through its own handle when a listing finds it;
// a link is refused. No abort check and no log: the run checks between items.
void RemoveFileBelow(const erase::RunContext& run, const std::string& base, const std::string& relative);
// Deletes the plain files of the folder `relative` below `base`; the folder, its
// sub-folders and its hidden and system files stay. The base folder is held and the folder
// held relative to it, so one that is, or becomes, a link is never emptied through.
void EmptyFolderBelow(const erase::RunContext& run, const std::string& base, const std::string& relative);
// Deletes everything below the folder `relative` (names parted by '\\') below `base`: files,
// and sub-folders once emptied; the folder itself and its hidden and system files stay, and
// so does each entry whose path below it matches `keep` (erase/NamePattern.h), with the
// folders holding it. Each name from `base` down is held relative to the one above it.
void EmptyFolderTreeBelow(const erase::RunContext& run, const std::string& base, const std::string& relative,
                          const std::string& keep);
// Deletes each plain file of `base` whose long name matches `mask` ("History Index *"),
// each through its own handle as RemoveFileBelow deletes it.
void RemoveMatchingBelow(const erase::RunContext& run, const std::string& base, const std::string& mask);

}  // namespace clean

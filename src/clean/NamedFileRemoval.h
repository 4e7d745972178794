#pragma once
// One file a browser item names, removed through the file's own handle and recorded in the
// run's plan. The file is opened as itself: a link is seen as a link and left, and what the
// checks saw is what goes, whatever the name leads to meanwhile.
#include <string>

#include "erase/FileInHeldFolder.h"
#include "erase/Plan.h"
#include "erase/RunContext.h"
#include "platform/FileSystem.h"

namespace clean {

using Removal = erase::FileRemoval;
using erase::kLinkRefused;

// Removes the file at `path` through its held folder (erase/FileInHeldFolder.h).
inline Removal RemoveNamedFile(const erase::RunContext& run, const std::string& path, erase::TargetKind kind) {
  return erase::RemoveFileInHeldFolder(run, path, kind);
}

// A file that is there but could not be opened (`error`): Planned with its listed size
// while the run collects; marked for the next restart when it is in use and may be;
// Failed with the reason otherwise.
Removal RecordUnopenedFile(const erase::RunContext& run, const std::string& path, erase::TargetKind kind,
                           long error);

}  // namespace clean

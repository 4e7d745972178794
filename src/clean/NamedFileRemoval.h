#pragma once
// One file a browser item names, removed through the file's own handle and recorded in the
// run's plan. The file is opened as itself: a link is seen as a link and left, and what the
// checks saw is what goes, whatever the name leads to meanwhile.
#include <string>

#include "erase/Plan.h"
#include "platform/FileSystem.h"

namespace engine {
struct RunFlags;
}

namespace clean {

enum class Removal { Missing, Refused, Planned, Removed, AtRestart, Failed };

// Removes the file at `path`, recorded as `kind`: Planned while the run collects (nothing
// changes), Removed, or Failed with the reason. A missing file is no target; a link is
// Refused. A file another program holds open goes at the next restart when the restart
// checks allow it (AtRestart), else Failed; it is Planned while collecting.
Removal RemoveNamedFile(platform::FileSystem& files, engine::RunFlags& flags, const std::string& path,
                        erase::TargetKind kind);

// A file that is there but could not be opened (`error`): Planned with its listed size
// while the run collects; marked for the next restart when it is in use and may be;
// Failed with the reason otherwise.
Removal RecordUnopenedFile(platform::FileSystem& files, engine::RunFlags& flags, const std::string& path,
                           erase::TargetKind kind, long error);

// The guard's reason for a target that is a link.
extern const char kLinkRefused[];

}  // namespace clean

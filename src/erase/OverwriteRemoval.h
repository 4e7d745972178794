#pragma once
// Removing a file of a held folder after overwriting its bytes, both through one handle.
//
// Deleting a file frees its clusters without clearing them: what it held can be read back
// from the disk. So when the user asks for it, every file a walk removes is first opened
// relative to its held folder as itself, overwritten through that handle and then deleted
// through the same handle: a name swapped meanwhile for a hard link to another file, or a
// junction re-pointed above, cannot send the writes elsewhere. Some files must not or
// cannot be overwritten: a file with another name (writing would destroy what that name
// holds), and compressed, sparse and encrypted files (new bytes go to new clusters and the
// old ones stay). Those, and a file in use, are removed as before and reported as removed
// but not overwritten.
#include <string>

#include "erase/RunContext.h"
#include "platform/FileSystem.h"

namespace erase {

// Passes over a file's bytes for each level of the shredder's list, "Very Low" (index 0,
// one pass, enough for a disk of the last decades) to "Extreme" (index 4, seven passes).
int overwritePassesForLevel(int levelIndex);
// What the levels mean, for the settings page: "Very Low 1 pass ... Extreme 7".
extern const char kOverwriteLevelsText[];

// Removes the file `name` of `folder` as HeldFolder::removeChildFile does (`check` judges
// the attributes its handle shows, `clearAttributes` clears read-only, hidden and system),
// and with run.flags.overwritePasses above 0 overwrites its bytes that many times first,
// each pass flushed to the disk, all through the handle that then deletes it. On success
// `note` tells what the report adds to the removal: "overwritten, 3 passes", or "not
// overwritten: " and why; a file removed but not overwritten is also counted in the run's
// leftBehind.
long RemoveChildOverwriting(const RunContext& run, platform::HeldFolder& folder, const std::string& name,
                            bool clearAttributes, const platform::EntryCheck& check, std::string* note);
// The same for a file `folder` has just listed, judged by that listing: without passes it
// goes as HeldFolder::removeListedFile removes it, and `check` is not asked again.
long RemoveListedOverwriting(const RunContext& run, platform::HeldFolder& folder, const platform::FindData& listed,
                             bool clearAttributes, const platform::EntryCheck& check, std::string* note);

}  // namespace erase

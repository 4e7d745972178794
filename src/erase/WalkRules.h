#pragma once
// What every walk below a folder obeys: it yields to the window between entries, never
// goes through a link to elsewhere, and never works on a path too long for Windows.
#include <memory>
#include <string>

#include "erase/RunContext.h"
#include "platform/FileSystem.h"
#include "platform/NameCase.h"

namespace erase {

// MAX_PATH less the terminating zero: the longest path a narrow Windows call takes.
constexpr size_t kLongestPath = 259;

// Dispatches what is pending for the window; a pass nobody watches does so on every 32nd
// call only (RunFlags::yieldsPassedBy).
void yieldOnce(const erase::RunContext& run);
bool aborted(const erase::RunContext& run);

// A junction, mount point or symbolic link: what it names may lie outside the folder.
inline bool isLink(const platform::FindData& entry) {
  return (entry.attributes & platform::fileattr::ReparsePoint) != 0;
}
inline bool isFolder(const platform::FindData& entry) {
  return (entry.attributes & platform::fileattr::Directory) != 0;
}
inline bool isDots(const platform::FindData& entry) { return entry.name == "." || entry.name == ".."; }

// True when `path` can be used whole; a folder also needs room for "\\*" to be listed.
inline bool fitsFile(const std::string& path) { return path.size() <= kLongestPath; }
inline bool fitsFolder(const std::string& path) { return path.size() + 2 <= kLongestPath; }

// True when the long name matches a mask of "*" and "?" regardless of case, as a mask
// reads to a user: Windows also matches the 8.3 name ("notes.chkpoint" is NOTES~1.CHK),
// so a listing's hits are checked again with this. "*.*" takes names without a dot too.
bool longNameMatches(const std::string& mask, const std::string& name);

// True when two entry names are one name to Windows: the same letters, case aside. Taken
// exactly as listed otherwise: "abc." is not "abc" (only a path rebuilt from it would be).
using platform::sameName;
// The name as sameName compares it, for looking names up: two names are one to Windows
// when their keys are equal.
std::string nameKey(const std::string& name);

// Logs an entry a walk leaves alone, and why.
void logSkipped(const std::string& path, const char* reason);

// Opens `folder` (with or without its trailing backslash, a full path) from its drive
// root down, each name held relative to the one above it, and keeps it open while the
// caller works in it, so that nobody can swap it for a link meanwhile; null, and logged,
// when it cannot be opened, and also recorded as refused when a link is met at any name
// on the way or the end is not a folder (PlainFolderHold.cpp).
std::unique_ptr<platform::HeldFolder> holdPlainFolder(const erase::RunContext& run, const std::string& folder,
                                                      platform::FileIdentity* identity);

}  // namespace erase

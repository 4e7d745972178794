#include "clean/NamedFileRemoval.h"

#include <memory>
#include <vector>

#include "engine/RunFlags.h"
#include "erase/EraseFiles.h"
#include "erase/RestartDelete.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"

namespace clean {

namespace winerr = platform::winerr;
using erase::Outcome;

const char kLinkRefused[] = "link";

namespace {

uint64_t listedSize(platform::FileSystem& files, const std::string& path) {
  std::vector<platform::FindData> found;
  if (files.findFiles(path, &found) != winerr::Success || found.empty()) return 0;
  return found[0].size;
}

}  // namespace

Removal RecordUnopenedFile(platform::FileSystem& files, engine::RunFlags& flags, const std::string& path,
                           erase::TargetKind kind, long error) {
  if (erase::collecting(flags)) {
    erase::record(flags, kind, path, listedSize(files, path), Outcome::Planned);
    return Removal::Planned;
  }
  if (erase::MarkNamedFileInUseForRestart(files, flags, path, error)) {
    ++flags.leftBehind.atRestart;  // the item's line tells it
    return Removal::AtRestart;
  }
  erase::record(flags, kind, path, listedSize(files, path), Outcome::Failed, erase::describeError(error));
  return Removal::Failed;
}

Removal RemoveNamedFile(platform::FileSystem& files, engine::RunFlags& flags, const std::string& path,
                        erase::TargetKind kind) {
  long error = 0;
  const std::unique_ptr<platform::OpenFile> file = files.openFile(path, &error);
  if (!file) {
    if (error == winerr::FileNotFound || error == winerr::PathNotFound) return Removal::Missing;
    return RecordUnopenedFile(files, flags, path, kind, error);
  }
  uint64_t bytes = 0;
  file->size(&bytes);
  const platform::FileIdentity identity = file->identity();
  if (identity.attributes != platform::fileattr::Invalid && (identity.attributes & platform::fileattr::ReparsePoint)) {
    erase::record(flags, kind, path, 0, Outcome::Refused, kLinkRefused);
    return Removal::Refused;
  }
  if (erase::collecting(flags)) {
    erase::record(flags, kind, path, bytes, Outcome::Planned);
    return Removal::Planned;
  }
  error = file->remove();
  if (error != winerr::Success) {
    erase::record(flags, kind, path, bytes, Outcome::Failed, erase::describeError(error));
    return Removal::Failed;
  }
  erase::record(flags, kind, path, bytes, Outcome::Removed);
  return Removal::Removed;
}

}  // namespace clean

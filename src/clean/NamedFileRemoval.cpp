#include "clean/NamedFileRemoval.h"

#include <memory>
#include <vector>

#include "erase/EraseFiles.h"
#include "erase/RestartDelete.h"
#include "erase/RunFlags.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"

namespace clean {

namespace winerr = platform::winerr;
using erase::Outcome;

namespace {

uint64_t listedSize(platform::FileSystem& files, const std::string& path) {
  std::vector<platform::FindData> found;
  if (files.findFiles(path, &found) != winerr::Success || found.empty()) return 0;
  return found[0].size;
}

}  // namespace

Removal RecordUnopenedFile(const erase::RunContext& run, const std::string& path, erase::TargetKind kind,
                           long error) {
  platform::FileSystem& files = run.os.files;
  erase::RunFlags& flags = run.flags;
  if (erase::collecting(flags)) {
    erase::record(flags, kind, path, listedSize(files, path), Outcome::Planned);
    return Removal::Planned;
  }
  if (erase::MarkNamedFileInUseForRestart(run, path, error)) {
    ++flags.leftBehind.atRestart;  // the item's line tells it
    return Removal::AtRestart;
  }
  erase::record(flags, kind, path, listedSize(files, path), Outcome::Failed, erase::describeError(error));
  return Removal::Failed;
}

}  // namespace clean

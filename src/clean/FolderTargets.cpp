#include "clean/FolderTargets.h"

#include <memory>
#include <vector>

#include "clean/NamedFileRemoval.h"
#include "erase/FolderPaths.h"
#include "erase/FolderWalk.h"
#include "erase/WalkRules.h"
#include "platform/WinError.h"

namespace clean {

namespace {

using platform::FindData;
namespace fileattr = platform::fileattr;

// The files a listing of `pattern` yields, hidden and system ones left out as the
// normal-file filter leaves them out.
std::vector<FindData> listedFiles(const erase::RunContext& run, const std::string& pattern) {
  std::vector<FindData> found, kept;
  if (run.os.files.findFiles(pattern, &found) != platform::winerr::Success) return kept;
  for (FindData& entry : found)
    if (!(entry.attributes & (fileattr::Hidden | fileattr::System | fileattr::Directory))) kept.push_back(std::move(entry));
  return kept;
}

void walkBelow(const erase::RunContext& run, const std::string& base, const std::string& relative, bool descend) {
  if (base.empty()) return;
  platform::FileIdentity identity;
  if (run.os.files.getAttributes(base + relative) == fileattr::Invalid) return;
  const std::unique_ptr<platform::HeldFolder> held = erase::holdPlainFolder(run, base, &identity);
  if (!held) return;
  const std::unique_ptr<platform::HeldFolder> folder = erase::HoldPlainChild(run, *held, base, relative);
  if (!folder) return;
  erase::WalkRules rules;
  rules.descend = descend;
  erase::WalkHeldFolder(run, *folder, base + relative + "\\", rules);
}

}  // namespace

std::vector<FoundFolder> FolderSource::folders(const erase::RunContext& run) const {
  if (findEach) return findEach(run);
  std::string path = find(run);
  if (path.empty()) return {};
  return {FoundFolder{std::move(path), machineWide}};
}

void RemoveFileBelow(const erase::RunContext& run, const std::string& base, const std::string& relative) {
  if (base.empty()) return;
  const std::string path = base + relative;
  const std::vector<FindData> found = listedFiles(run, path);
  if (found.empty()) return;
  if (found[0].attributes & fileattr::ReparsePoint) {
    erase::record(run.flags, erase::TargetKind::File, path, 0, erase::Outcome::Refused, kLinkRefused);
    return;
  }
  RemoveNamedFile(run, path, erase::TargetKind::File);
}

void EmptyFolderBelow(const erase::RunContext& run, const std::string& base, const std::string& relative) {
  walkBelow(run, base, relative, false);
}

void EmptyTreeBelow(const erase::RunContext& run, const std::string& base, const std::string& relative) {
  walkBelow(run, base, relative, true);
}

void RemoveMatchingBelow(const erase::RunContext& run, const std::string& base, const std::string& mask) {
  if (base.empty()) return;
  // The listing matches 8.3 names too: "History Index *" must not reach "HISTOR~1".
  for (const FindData& entry : listedFiles(run, base + mask))
    if (erase::longNameMatches(mask, entry.name)) RemoveFileBelow(run, base, entry.name);
}

}  // namespace clean

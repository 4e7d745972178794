#include "clean/FolderTargets.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "clean/NamedFileRemoval.h"
#include "erase/FolderPaths.h"
#include "erase/FolderWalk.h"
#include "erase/NamePattern.h"
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

// Holds `relative` below `base` one name at a time (a whole relative path would be
// followed through a link on the way) and walks it; an entry whose path below it matches
// `keep` stays, with the folders holding it.
void walkBelow(const erase::RunContext& run, const std::string& base, const std::string& relative, bool descend,
               const std::string& keep) {
  if (base.empty() || relative.empty()) return;
  if (run.os.files.getAttributes(base + relative) == fileattr::Invalid) return;
  platform::FileIdentity identity;
  std::unique_ptr<platform::HeldFolder> held = erase::holdPlainFolder(run, base, &identity);
  std::string path = base;
  for (size_t start = 0; held && start < relative.size();) {
    const size_t end = std::min(relative.find('\\', start), relative.size());
    const std::string name = relative.substr(start, end - start);
    held = erase::HoldPlainChild(run, *held, path, name);
    path += name + "\\";
    start = end + 1;
  }
  if (!held) return;
  erase::WalkRules rules;
  rules.descend = descend;
  if (!keep.empty()) rules.keepEntry = [&keep](const std::string& below) { return erase::pathMatchesAny(keep, below); };
  erase::WalkHeldFolder(run, *held, path, rules);
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
  walkBelow(run, base, relative, false, "");
}

void RemoveMatchingBelow(const erase::RunContext& run, const std::string& base, const std::string& mask) {
  if (base.empty()) return;
  // The listing matches 8.3 names too: "History Index *" must not reach "HISTOR~1".
  for (const FindData& entry : listedFiles(run, base + mask))
    if (erase::longNameMatches(mask, entry.name)) RemoveFileBelow(run, base, entry.name);
}

void EmptyFolderTreeBelow(const erase::RunContext& run, const std::string& base, const std::string& relative,
                          const std::string& keep) {
  walkBelow(run, base, relative, true, keep);
}

}  // namespace clean

#include "clean/NetscapeItems.h"

#include <optional>

#include "clean/LinkCheck.h"
#include "clean/NamedFileRemoval.h"
#include "clean/NetscapeTargets.h"
#include "erase/RunContext.h"
#include "erase/modCleanItem.h"
#include "report/ReportTexts.h"

namespace clean {

namespace {

using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;

const std::vector<std::string> kFormFiles = {"FieldSchema.tbl", "SchemaConcat.tbl", "SchemaValue.tbl",
                                             "URLFieldSchema.tbl"};
const char kFormFileList[] = "FieldSchema.tbl SchemaConcat.tbl SchemaValue.tbl FieldSchema.tbl URLFieldSchema.tbl";

enum class Action { EraseFiles, EmptyFolders };


// Collects the item's targets and erases them in order, stopping once the run is stopped.
// False when there was nothing to erase.
bool eraseTargets(const erase::RunContext& run, const report::ReportTail& tail, const NetscapeSources& sources,
                  Action action) {
  std::vector<NetscapeTarget> targets;
  report::reportingNext(run.os, tail, [&] { targets = CollectNetscapeTargets(run, sources); });
  // Both Communicator sources may name the same folder: what they name is one target, and
  // a preview must not promise it twice.
  std::set<std::string> met;
  for (NetscapeTarget& found : targets) {
    std::string& target = found.path;
    if (run.flags.abort) break;
    if (!FirstMention(met, target)) continue;
    report::reportingNext(run.os, tail, [&] {
      std::optional<erase::FlagHeld> machineWide;
      if (found.machineWide) machineWide.emplace(run.flags.inMachineWideFolder);
      if (IsLinkAt(run.os.files, target)) {
        const erase::TargetKind kind =
            action == Action::EmptyFolders ? erase::TargetKind::Folder : erase::TargetKind::File;
        erase::record(run.flags, kind, target, 0, erase::Outcome::Refused, kLinkRefused);
        return;
      }
      if (action == Action::EmptyFolders)
        erase::EraseFolder(run, target, false, true);
      else
        erase::EraseFile(run, target);
    });
  }
  return !targets.empty();
}

NetscapeSources formFiles() {
  return {kFormFiles, kFormFiles, LocalMachine, kFormFileList, "", true, true};
}

}  // namespace

void CleanNSTypedUrl(const erase::RunContext& run) {
  eraseTargets(run, report::tail::CleanNSTypedUrl, formFiles(), Action::EraseFiles);
}

void CleanNescapeCache(const erase::RunContext& run) {
  const NetscapeSources cache{{"cache"}, {"cache"}, CurrentUser, "", "cache", false, false};
  eraseTargets(run, report::tail::CleanNescapeCache, cache, Action::EmptyFolders);
}

void CleanNetscapeMail(const erase::RunContext& run) {
  const std::vector<std::string> trash = {"mail\\trash", "mail\\trash.nsm"};
  const NetscapeSources mail{trash, trash, LocalMachine, "trash trash.msf", "", true, true};
  eraseTargets(run, report::tail::CleanNetscapeMail, mail, Action::EraseFiles);
}

void ClearNetScapeHistory(const erase::RunContext& run) {
  const NetscapeSources history{
      {"netscape.hst"}, {"netscape.hst", "netscape"}, CurrentUser, "netscape.hst history.dat", "", true, false};
  const report::ReportTail& tail = report::tail::ClearNetScapeHistory;
  if (!eraseTargets(run, tail, history, Action::EraseFiles) || erase::collecting(run.flags)) return;
  report::reportingNext(run.os, tail, [&] {
    if (run.flags.abort)
      erase::LogActivity("Netscape History", "**Aboted**");
    else
      erase::LogActivity("Netscape History Cleared", erase::ActivityTimeStamp());
  });
}

void ClearAutoComplte(const erase::RunContext& run) {
  eraseTargets(run, report::tail::ClearAutoComplte, formFiles(), Action::EraseFiles);
}

}  // namespace clean

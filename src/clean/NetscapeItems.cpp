#include "clean/NetscapeItems.h"

#include "app/App.h"
#include "clean/LinkCheck.h"
#include "clean/NamedFileRemoval.h"
#include "clean/NetscapeTargets.h"
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
bool eraseTargets(app::App& app, const report::ReportTail& tail, const NetscapeSources& sources, Action action) {
  std::vector<std::string> targets;
  report::reportingNext(app, tail, [&] { targets = CollectNetscapeTargets(app, sources); });
  // Both Communicator sources may name the same folder: what they name is one target, and
  // a preview must not promise it twice.
  std::set<std::string> met;
  for (std::string& target : targets) {
    if (app.flags.abort) break;
    if (!FirstMention(met, target)) continue;
    report::reportingNext(app, tail, [&] {
      if (IsLinkAt(app.os.files, target)) {
        const erase::TargetKind kind =
            action == Action::EmptyFolders ? erase::TargetKind::Folder : erase::TargetKind::File;
        erase::record(app.flags, kind, target, 0, erase::Outcome::Refused, kLinkRefused);
        return;
      }
      if (action == Action::EmptyFolders)
        erase::EraseFolder(app, target, false, true);
      else
        erase::EraseFile(app, target);
    });
  }
  return !targets.empty();
}

NetscapeSources formFiles() {
  return {kFormFiles, kFormFiles, LocalMachine, kFormFileList, "", true, true};
}

}  // namespace

void CleanNSTypedUrl(app::App& app) {
  eraseTargets(app, report::tail::CleanNSTypedUrl, formFiles(), Action::EraseFiles);
}

void CleanNescapeCache(app::App& app) {
  const NetscapeSources cache{{"cache"}, {"cache"}, CurrentUser, "", "cache", false, false};
  eraseTargets(app, report::tail::CleanNescapeCache, cache, Action::EmptyFolders);
}

void CleanNetscapeMail(app::App& app) {
  const std::vector<std::string> trash = {"mail\\trash", "mail\\trash.nsm"};
  const NetscapeSources mail{trash, trash, LocalMachine, "trash trash.msf", "", true, true};
  eraseTargets(app, report::tail::CleanNetscapeMail, mail, Action::EraseFiles);
}

void ClearNetScapeHistory(app::App& app) {
  const NetscapeSources history{
      {"netscape.hst"}, {"netscape.hst", "netscape"}, CurrentUser, "netscape.hst history.dat", "", true, false};
  const report::ReportTail& tail = report::tail::ClearNetScapeHistory;
  if (!eraseTargets(app, tail, history, Action::EraseFiles) || erase::collecting(app.flags)) return;
  report::reportingNext(app, tail, [&] {
    if (app.flags.abort)
      erase::LogActivity("Netscape History", "**Aboted**");
    else
      erase::LogActivity("Netscape History Cleared", erase::ActivityTimeStamp());
  });
}

void ClearAutoComplte(app::App& app) {
  eraseTargets(app, report::tail::ClearAutoComplte, formFiles(), Action::EraseFiles);
}

}  // namespace clean

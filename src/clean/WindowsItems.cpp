#include "clean/WindowsItems.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "clean/TempFolderGuard.h"
#include "erase/Plan.h"
#include "erase/RunContext.h"
#include "erase/modCleanItem.h"
#include "platform/NameCase.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace clean {

using report::resumeNext;

namespace {

using erase::Outcome;
using erase::TargetKind;

const char kRecentDocuments[] = "Recent Documents";

void logStamped(const std::string& entry) { erase::LogActivity(entry, erase::ActivityTimeStamp()); }

// An item's closing log line tells what the run did: while it only collects, it did nothing.
void logDone(const erase::RunContext& run, const std::string& entry) {
  if (!erase::collecting(run.flags)) logStamped(entry);
}

bool sameDrive(const std::string& a, const std::string& b) {
  return !a.empty() && !b.empty() && platform::upperCase(a[0]) == platform::upperCase(b[0]);
}

// The bins that hold something, of every fixed drive or of the drive `root` alone.
std::vector<platform::RecycleBinContents> binsToEmpty(const erase::RunContext& run, const std::string& root) {
  std::vector<platform::RecycleBinContents> bins;
  for (const platform::RecycleBinContents& bin : run.os.shell.recycleBinContents())
    if (root.empty() || sameDrive(bin.drive, root)) bins.push_back(bin);
  return bins;
}

// An HRESULT with its severity bit set, however wide `long` is where this runs.
bool failedResult(long result) { return (static_cast<unsigned long>(result) & 0x80000000ul) != 0; }

// What became of each bin: the shell's answer alone does not tell (some shells report an
// error for a bin that was empty already), so the bins are looked at again.
void recordEmptied(const erase::RunContext& run, const std::vector<platform::RecycleBinContents>& bins, long result) {
  const std::vector<platform::RecycleBinContents> after = run.os.shell.recycleBinContents();
  for (const platform::RecycleBinContents& bin : bins) {
    bool stillFull = false;
    for (const platform::RecycleBinContents& now : after)
      stillFull = stillFull || (sameDrive(now.drive, bin.drive) && now.known && now.items > 0);
    if (!stillFull && (bin.known || !failedResult(result))) {
      erase::record(run.flags, TargetKind::RecycleBin, bin.drive, bin.bytes, Outcome::Removed);
      continue;
    }
    char reason[64];
    std::snprintf(reason, sizeof reason, "the shell did not empty it (0x%08lX)",
                  static_cast<unsigned long>(result) & 0xFFFFFFFFul);
    erase::record(run.flags, TargetKind::RecycleBin, bin.drive, bin.bytes, Outcome::Failed, reason);
  }
}

// The temp folder's refusal, unless a guard below (the folder walk's) recorded it already.
void recordRefusal(const erase::RunContext& run, const std::string& folder, FolderRefusal refusal,
                   size_t recordedBefore) {
  const erase::ItemPlan* plan = run.flags.plan;
  if (!plan || refusal == FolderRefusal::None) return;
  for (size_t i = recordedBefore; i < plan->targets.size(); ++i)
    if (plan->targets[i].outcome == Outcome::Refused) return;
  erase::record(run.flags, TargetKind::Folder, erase::FolderToOpen(folder), 0, Outcome::Refused,
                RefusalReason(refusal));
}

// Why a temp folder that the walk could not hold was left: a missing folder holds
// nothing to clean, a link or a file is no plain folder.
FolderRefusal whyNotHeld(uint32_t attributes) {
  if (attributes == platform::fileattr::Invalid) return FolderRefusal::None;
  if (attributes & platform::fileattr::ReparsePoint) return FolderRefusal::LeadsElsewhere;
  return (attributes & platform::fileattr::Directory) ? FolderRefusal::CannotTell : FolderRefusal::NoFolder;
}

}  // namespace

void EmptyRecylbin(const erase::RunContext& run, const std::string& drive, uint32_t flags) {
  const report::ReportTail& tail = report::tail::EmptyRecylbin;
  // The main window owns the request even while it is hidden: an invisible or scheduled run
  // empties the bin as well, and with these flags the shell shows nothing to own.
  const std::uintptr_t owner = run.owner;
  std::string root = drive;
  if (!root.empty() && root.compare(1, 2, ":\\") != 0) root = root.substr(0, 1) + ":\\";
  std::vector<platform::RecycleBinContents> bins;
  report::reportingNext(run.os, tail, [&] { bins = binsToEmpty(run, root); });
  if (erase::collecting(run.flags)) {
    for (const platform::RecycleBinContents& bin : bins)
      erase::record(run.flags, TargetKind::RecycleBin, bin.drive, bin.bytes, Outcome::Planned);
    return;
  }
  long result = 0;
  report::reportingNext(run.os, tail, [&] {
    result = run.os.shell.emptyRecycleBin(owner, root,
                                          flags & (kRecycleNoConfirmation | kRecycleNoProgress | kRecycleNoSound));
  });
  report::reportingNext(run.os, tail, [&] { recordEmptied(run, bins, result); });
  report::reportingNext(run.os, tail, [&] { logStamped("Recycle Bin Cleared "); });
}

void ClearRecentDocs(const erase::RunContext& run) {
  // The shell empties the list its own way and tells nothing of it: one target, the list.
  erase::removeOrPlan(run.flags, TargetKind::HistoryEntry, kRecentDocuments, 0, [&] {
    run.os.shell.clearRecentDocuments();
    return erase::Result{true, {}};
  });
}

void ClearClipboard(const erase::RunContext& run) {
  // Opening the clipboard is noticed by the program that owns it: a preview does not.
  erase::removeOrPlan(run.flags, TargetKind::Clipboard, "Clipboard", 0, [&] {
    platform::Shell& shell = run.os.shell;
    bool emptied = false;
    resumeNext([&] { shell.openClipboard(run.owner); });
    resumeNext([&] { emptied = shell.emptyClipboard(); });
    resumeNext([&] { emptied ? logStamped("Clipboard Cleared") : erase::LogActivity("Clipboard ", "Terminated"); });
    resumeNext([&] { shell.closeClipboard(); });
    return emptied ? erase::Result{true, {}} : erase::Result{false, "another program holds it open"};
  });
}

void CleanWindTemp(const erase::RunContext& run) {
  const report::ReportTail& tail = report::tail::CleanWindTemp;
  bool refused = true;
  FolderRefusal refusal = FolderRefusal::None;
  report::reportingNext(run.os, tail, [&] {
    const std::string named = erase::GetTempFolder(run);
    const std::string folder = erase::NormaliseFolderPath(erase::AddBackslash(named));
    const size_t recordedBefore = run.flags.plan ? run.flags.plan->targets.size() : 0;
    // The folder is judged as held open, so it cannot be swapped between the check and
    // the walk; a share path is never emptied, whatever it points at.
    if (folder.empty() || erase::IsSharePath(folder)) {
      refusal = folder.empty() ? FolderRefusal::NoFolder : FolderRefusal::LeadsElsewhere;
      return recordRefusal(run, folder.empty() ? named : folder, refusal, recordedBefore);
    }
    refused = !erase::EraseCheckedFolder(run, folder, false, true, [&](const platform::FileIdentity& held) {
      refusal = JudgeTempFolder(run, folder, held);
      return refusal == FolderRefusal::None;
    });
    if (refused && refusal == FolderRefusal::None) refusal = whyNotHeld(run.os.files.getAttributes(folder));
    recordRefusal(run, folder, refusal, recordedBefore);
  });
  if (refusal != FolderRefusal::None)
    run.flags.skipped = std::string("Skipped: the temp folder ") + RefusalReason(refusal);
  if (refused) {
    if (!erase::collecting(run.flags))
      report::reportingNext(run.os, tail, [&] { erase::LogActivity("Windows Temporary Files", "Terminated"); });
    return;
  }
  report::reportingNext(run.os, tail, [&] {
    logDone(run, run.flags.abort ? "Windows Temporary Files **** aborted by user" : "Windows Temporary Files Cleared");
  });
}

}  // namespace clean

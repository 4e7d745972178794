#include "clean/WindowsItems.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "app/App.h"
#include "clean/RegistryPurge.h"
#include "clean/TempFolderGuard.h"
#include "erase/Plan.h"
#include "erase/modCleanItem.h"
#include "report/ReportTexts.h"
#include "report/RuntimeError.h"

namespace clean {

using app::App;
using report::resumeNext;

namespace {

const char kRunMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kDocFindMRU[] = "Software\\Microsoft\\Windows\\Currentversion\\Explorer\\Doc Find Spec MRU";
const char kFilesNamedMRU[] =
    "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\FilesNamedMRU";
const char kOpenSaveMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const char kSearchAssistantMRU[] = "Software\\Microsoft\\Search Assistant\\ACMru\\5647";
const char kStreamMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\StreamMRU";
const char kMemoryManagement[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

using erase::Outcome;
using erase::TargetKind;

const char kRecentDocuments[] = "Recent Documents";

void logStamped(const std::string& entry) { erase::LogActivity(entry, erase::ActivityTimeStamp()); }

// An item's closing log line tells what the run did: while it only collects, it did nothing.
void logDone(App& app, const std::string& entry) {
  if (!erase::collecting(app.flags)) logStamped(entry);
}

void purgeUnder(App& app, const report::ReportTail& tail, const char* key) {
  report::reportingNext(app, tail, [&] { PurgeRegistryList(app, key); });
}

bool sameDrive(const std::string& a, const std::string& b) {
  return !a.empty() && !b.empty() && std::toupper(static_cast<unsigned char>(a[0])) ==
                                         std::toupper(static_cast<unsigned char>(b[0]));
}

// The bins that hold something, of every fixed drive or of the drive `root` alone.
std::vector<platform::RecycleBinContents> binsToEmpty(App& app, const std::string& root) {
  std::vector<platform::RecycleBinContents> bins;
  for (const platform::RecycleBinContents& bin : app.os.shell.recycleBinContents())
    if (root.empty() || sameDrive(bin.drive, root)) bins.push_back(bin);
  return bins;
}

// An HRESULT with its severity bit set, however wide `long` is where this runs.
bool failedResult(long result) { return (static_cast<unsigned long>(result) & 0x80000000ul) != 0; }

// What became of each bin: the shell's answer alone does not tell (some shells report an
// error for a bin that was empty already), so the bins are looked at again.
void recordEmptied(App& app, const std::vector<platform::RecycleBinContents>& bins, long result) {
  const std::vector<platform::RecycleBinContents> after = app.os.shell.recycleBinContents();
  for (const platform::RecycleBinContents& bin : bins) {
    bool stillFull = false;
    for (const platform::RecycleBinContents& now : after)
      stillFull = stillFull || (sameDrive(now.drive, bin.drive) && now.known && now.items > 0);
    if (!stillFull && (bin.known || !failedResult(result))) {
      erase::record(app.flags, TargetKind::RecycleBin, bin.drive, bin.bytes, Outcome::Removed);
      continue;
    }
    char reason[64];
    std::snprintf(reason, sizeof reason, "the shell did not empty it (0x%08lX)",
                  static_cast<unsigned long>(result) & 0xFFFFFFFFul);
    erase::record(app.flags, TargetKind::RecycleBin, bin.drive, bin.bytes, Outcome::Failed, reason);
  }
}

// The temp folder's refusal, unless a guard below (the folder walk's) recorded it already.
void recordRefusal(App& app, const std::string& folder, FolderRefusal refusal, size_t recordedBefore) {
  const erase::ItemPlan* plan = app.flags.plan;
  if (!plan || refusal == FolderRefusal::None) return;
  for (size_t i = recordedBefore; i < plan->targets.size(); ++i)
    if (plan->targets[i].outcome == Outcome::Refused) return;
  erase::record(app.flags, TargetKind::Folder, erase::FolderToOpen(folder), 0, Outcome::Refused,
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

void EmptyRecylbin(App& app, const std::string& drive, uint32_t flags) {
  const report::ReportTail& tail = report::tail::EmptyRecylbin;
  // The main window owns the request even while it is hidden: an invisible or scheduled run
  // empties the bin as well, and with these flags the shell shows nothing to own.
  const std::uintptr_t owner = app.frm.form.hWnd;
  std::string root = drive;
  if (!root.empty() && root.compare(1, 2, ":\\") != 0) root = root.substr(0, 1) + ":\\";
  std::vector<platform::RecycleBinContents> bins;
  report::reportingNext(app, tail, [&] { bins = binsToEmpty(app, root); });
  if (erase::collecting(app.flags)) {
    for (const platform::RecycleBinContents& bin : bins)
      erase::record(app.flags, TargetKind::RecycleBin, bin.drive, bin.bytes, Outcome::Planned);
    return;
  }
  long result = 0;
  report::reportingNext(app, tail, [&] {
    result = app.os.shell.emptyRecycleBin(owner, root,
                                          flags & (kRecycleNoConfirmation | kRecycleNoProgress | kRecycleNoSound));
  });
  report::reportingNext(app, tail, [&] { recordEmptied(app, bins, result); });
  report::reportingNext(app, tail, [&] { logStamped("Recycle Bin Cleared "); });
}

void CleanRunMRU(App& app) { purgeUnder(app, report::tail::CleanRunMRU, kRunMRU); }

void ClearRecentDocs(App& app) {
  // The shell empties the list its own way and tells nothing of it: one target, the list.
  if (erase::collecting(app.flags))
    return erase::record(app.flags, TargetKind::HistoryEntry, kRecentDocuments, 0, Outcome::Planned);
  resumeNext([&] {
    app.os.shell.clearRecentDocuments();
    erase::record(app.flags, TargetKind::HistoryEntry, kRecentDocuments, 0, Outcome::Removed);
  });
  resumeNext([&] { logStamped("Recent Docs List Cleared"); });
}

void ClearFind(App& app) {
  // The second list is purged whatever became of the first; with the abort flag set the
  // purge skips its values and still deletes the key.
  purgeUnder(app, report::tail::ClearFind, kDocFindMRU);
  purgeUnder(app, report::tail::ClearFind, kFilesNamedMRU);
}

void ClearStreamMRU(App& app) {
  resumeNext([&] { DeleteRegTreeUnlessLinked(app, kStreamMRU); });
  resumeNext([&] {
    erase::WriteRegValue(app, platform::hkey::CurrentUser, kMemoryManagement, "ClearPageFileAtShutdown", "0",
                         platform::regtype::String);
  });
  resumeNext([&] { logDone(app, "Registry Streams Cleared"); });
}

void ClearClipboard(App& app) {
  // Opening the clipboard is noticed by the program that owns it: collecting does not.
  if (erase::collecting(app.flags))
    return erase::record(app.flags, TargetKind::Clipboard, "Clipboard", 0, Outcome::Planned);
  platform::Shell& shell = app.os.shell;
  bool emptied = false;
  resumeNext([&] { shell.openClipboard(app.frm.form.hWnd); });
  resumeNext([&] { emptied = shell.emptyClipboard(); });
  resumeNext([&] {
    if (emptied) {
      logStamped("Clipboard Cleared");
      erase::record(app.flags, TargetKind::Clipboard, "Clipboard", 0, Outcome::Removed);
    } else {
      erase::LogActivity("Clipboard ", "Terminated");
      erase::record(app.flags, TargetKind::Clipboard, "Clipboard", 0, Outcome::Failed,
                    "another program holds it open");
    }
  });
  resumeNext([&] { shell.closeClipboard(); });
}

void CleanScanDiskFiles(App& app) {
  const report::ReportTail& tail = report::tail::CleanScanDiskFiles;
  // Only the roots of C: and D: hold what ScanDisk saves; nothing below them is looked at.
  report::reportingNext(app, tail, [&] { erase::EraseMatchingFiles(app, "C:\\*.chk"); });
  report::reportingNext(app, tail, [&] { erase::EraseMatchingFiles(app, "D:\\*.chk"); });
  report::reportingNext(app, tail, [&] {
    logDone(app, app.flags.abort ? "Scan Disk Files **** aborted by user" : "Scan Disk Files");
  });
}

void CleanWindTemp(App& app) {
  const report::ReportTail& tail = report::tail::CleanWindTemp;
  bool refused = true;
  FolderRefusal refusal = FolderRefusal::None;
  report::reportingNext(app, tail, [&] {
    const std::string named = erase::GetTempFolder(app);
    const std::string folder = erase::NormaliseFolderPath(erase::AddBackslash(named));
    const size_t recordedBefore = app.flags.plan ? app.flags.plan->targets.size() : 0;
    // The folder is judged as held open, so it cannot be swapped between the check and
    // the walk; a share path is never emptied, whatever it points at.
    if (folder.empty() || erase::IsSharePath(folder)) {
      refusal = folder.empty() ? FolderRefusal::NoFolder : FolderRefusal::LeadsElsewhere;
      return recordRefusal(app, folder.empty() ? named : folder, refusal, recordedBefore);
    }
    refused = !erase::EraseCheckedFolder(app, folder, false, true, [&](const platform::FileIdentity& held) {
      refusal = JudgeTempFolder(app, folder, held);
      return refusal == FolderRefusal::None;
    });
    if (refused && refusal == FolderRefusal::None) refusal = whyNotHeld(app.os.files.getAttributes(folder));
    recordRefusal(app, folder, refusal, recordedBefore);
  });
  if (refusal != FolderRefusal::None)
    app.flags.skipped = std::string("Skipped: the temp folder ") + RefusalReason(refusal);
  if (refused) {
    if (!erase::collecting(app.flags))
      report::reportingNext(app, tail, [&] { erase::LogActivity("Windows Temporary Files", "Terminated"); });
    return;
  }
  report::reportingNext(app, tail, [&] {
    logDone(app, app.flags.abort ? "Windows Temporary Files **** aborted by user" : "Windows Temporary Files Cleared");
  });
}

void CleanOpenSave(App& app) { purgeUnder(app, report::tail::CleanOpenSave, kOpenSaveMRU); }

void CleanSearchComp(App& app) { purgeUnder(app, report::tail::CleanSearchComp, kSearchAssistantMRU); }

}  // namespace clean

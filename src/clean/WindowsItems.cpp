#include "clean/WindowsItems.h"

#include "app/App.h"
#include "clean/RegistryPurge.h"
#include "clean/TempFolderGuard.h"
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

void logStamped(const std::string& entry) { erase::LogActivity(entry, erase::ActivityTimeStamp()); }

void purgeUnder(App& app, const report::ReportTail& tail, const char* key) {
  report::reportingNext(app, tail, [&] { PurgeRegistryList(app, key); });
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
  report::reportingNext(app, tail, [&] {
    app.os.shell.emptyRecycleBin(owner, root,
                                 flags & (kRecycleNoConfirmation | kRecycleNoProgress | kRecycleNoSound));
  });
  report::reportingNext(app, tail, [&] { logStamped("Recycle Bin Cleared "); });
}

void CleanRunMRU(App& app) { purgeUnder(app, report::tail::CleanRunMRU, kRunMRU); }

void ClearRecentDocs(App& app) {
  resumeNext([&] { app.os.shell.clearRecentDocuments(); });
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
  resumeNext([&] { logStamped("Registry Streams Cleared"); });
}

void ClearClipboard(App& app) {
  platform::Shell& shell = app.os.shell;
  bool emptied = false;
  resumeNext([&] { shell.openClipboard(app.frm.form.hWnd); });
  resumeNext([&] { emptied = shell.emptyClipboard(); });
  resumeNext([&] {
    if (emptied)
      logStamped("Clipboard Cleared");
    else
      erase::LogActivity("Clipboard ", "Terminated");
  });
  resumeNext([&] { shell.closeClipboard(); });
}

void CleanScanDiskFiles(App& app) {
  const report::ReportTail& tail = report::tail::CleanScanDiskFiles;
  // Only the roots of C: and D: hold what ScanDisk saves; nothing below them is looked at.
  report::reportingNext(app, tail, [&] { erase::EraseMatchingFiles(app, "C:\\*.chk"); });
  report::reportingNext(app, tail, [&] { erase::EraseMatchingFiles(app, "D:\\*.chk"); });
  report::reportingNext(app, tail, [&] {
    logStamped(app.flags.abort ? "Scan Disk Files **** aborted by user" : "Scan Disk Files");
  });
}

void CleanWindTemp(App& app) {
  const report::ReportTail& tail = report::tail::CleanWindTemp;
  bool refused = true;
  FolderRefusal refusal = FolderRefusal::None;
  report::reportingNext(app, tail, [&] {
    const std::string folder = erase::NormaliseFolderPath(erase::AddBackslash(erase::GetTempFolder(app)));
    // The folder is judged as held open, so it cannot be swapped between the check and
    // the walk; a share path is never emptied, whatever it points at.
    if (folder.empty() || erase::IsSharePath(folder)) {
      refusal = folder.empty() ? FolderRefusal::NoFolder : FolderRefusal::LeadsElsewhere;
      return;
    }
    refused = !erase::EraseCheckedFolder(app, folder, false, true, [&](const platform::FileIdentity& held) {
      refusal = JudgeTempFolder(app, folder, held);
      return refusal == FolderRefusal::None;
    });
    if (refused && refusal == FolderRefusal::None) refusal = whyNotHeld(app.os.files.getAttributes(folder));
  });
  if (refusal != FolderRefusal::None)
    app.flags.skipped = std::string("Skipped: the temp folder ") + RefusalReason(refusal);
  if (refused) {
    report::reportingNext(app, tail, [&] { erase::LogActivity("Windows Temporary Files", "Terminated"); });
    return;
  }
  report::reportingNext(app, tail, [&] {
    logStamped(app.flags.abort ? "Windows Temporary Files **** aborted by user"
                                    : "Windows Temporary Files Cleared");
  });
}

void CleanOpenSave(App& app) { purgeUnder(app, report::tail::CleanOpenSave, kOpenSaveMRU); }

void CleanSearchComp(App& app) { purgeUnder(app, report::tail::CleanSearchComp, kSearchAssistantMRU); }

}  // namespace clean

#include "engine/Catalogue.h"

#include "clean/IEItems.h"
#include "clean/NetscapeItems.h"
#include "clean/OperaItems.h"
#include "clean/WindowsItems.h"

namespace engine {

const char* const kLongSeparator = "                                           ";

namespace {

using G = CleaningGroup;
using P = CleaningItem::Progress;
namespace tail = report::tail;

const char kRunMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kDocFindMRU[] = "Software\\Microsoft\\Windows\\Currentversion\\Explorer\\Doc Find Spec MRU";
const char kFilesNamedMRU[] =
    "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\FilesNamedMRU";
const char kStreamMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\StreamMRU";
const char kMemoryManagement[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const char kOpenSaveMRU[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const char kSearchAssistantMRU[] = "Software\\Microsoft\\Search Assistant\\ACMru\\5647";
const char kTypedURLs[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
const char kIntelliForms[] = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
const char kURLErrorLog[] = "Software\\Microsoft\\Search Assistant\\ACMru\\5604";

void emptyAllRecycleBins(const erase::RunContext& run) {
  clean::EmptyRecylbin(run, "", clean::kRecycleNoConfirmation | clean::kRecycleNoProgress | clean::kRecycleNoSound);
}

void removeUnkeptCookies(const erase::RunContext& run) { run.keptCookies.removeUnkept(run); }

const std::vector<CleaningItem> kItems = {
    {G::Windows, 0, "Clean Recycle Bin", "Cleaning Recycle Bin...", {custom(emptyAllRecycleBins)}},
    {G::Windows, 1, "Clean Recent Run History **", "Cleaning Recent RUN History...",
     {purgeList(kRunMRU, tail::CleanRunMRU)}},
    {G::Windows, 2, "Clean Recent Document List", "Cleaning Recent Document List...", {custom(clean::ClearRecentDocs)},
     P::None, false, "Recent Docs List Cleared"},
    // The second list is purged whatever became of the first.
    {G::Windows, 3, "Clean Find File/Folder History", "Cleaning Find File / Folder History...",
     {purgeList(kDocFindMRU, tail::ClearFind), purgeList(kFilesNamedMRU, tail::ClearFind)},
     P::BeforeText},
    {G::Windows, 4, "Clean Registry Fragment Files", "Cleaning Registry Fragment Files...",
     {deleteKeyTree(kStreamMRU), setValue(kMemoryManagement, "ClearPageFileAtShutdown", "0")},
     P::None, false, "Registry Streams Cleared"},
    {G::Windows, 5, "Clean Clipboard", "Cleaning Clipboard...", {custom(clean::ClearClipboard)}, P::BeforeText},
    // Only the roots of C: and D: hold what ScanDisk saves; nothing below them is looked at.
    {G::Windows, 6, "Clean ScanDisk .Chk File", "Cleaning ScanDisk .Chk File...",
     {eraseMatching("C:\\*.chk", tail::CleanScanDiskFiles), eraseMatching("D:\\*.chk", tail::CleanScanDiskFiles)},
     P::None, false, "Scan Disk Files", "Scan Disk Files **** aborted by user"},
    {G::Windows, 7, "Clean Windows Temp File Folder", "Cleaning Windows Temp File Folder...",
     {custom(clean::CleanWindTemp)}, P::BeforeText},
    {G::Windows, 8, "Clean Open/Save Dialog Box History", "Cleaning Open / Save Dialog Box History...",
     {purgeList(kOpenSaveMRU, tail::CleanOpenSave)}},
    {G::Windows, 9, "Clean Search Computer History", "Cleaning Search Computer History...",
     {purgeList(kSearchAssistantMRU, tail::CleanSearchComp)}, P::AfterText},
    {G::IE, 0, "Clean Location Bar History", "Cleaning Location Bar History...",
     {purgeList(kTypedURLs, tail::ClearTypedURLs)}},
    {G::IE, 1, "Clean AutoComplete  Forms Data", "Cleaning AutoComplete Forms Data...",
     {skippedOnceStopped(custom(clean::ClearAutoComplete))}},
    {G::IE, 2, "Clean Temporary Internet Files (Cache)", "Cleaning Temporary Internet Files (Cache)...",
     {custom(clean::ClearIECache), custom(clean::CleanTempFiles)}, P::AfterText},
    {G::IE, 3, "Clean AutoComplete Password Data", "Cleaning AutoComplete Password Data...",
     {skippedOnceStopped(deleteKeyTree(kIntelliForms))}},
    {G::IE, 4, "Clean Internet History", "Cleaning Internet History...", {custom(clean::ClearIEHistory)},
     P::BeforeText},
    {G::IE, 5, "Clean URL Error Logs", "Cleaning URL Error Logs...", {purgeList(kURLErrorLog, tail::ClearURLErrorLog)},
     P::BeforeText},
    {G::IE, 6, "Clean Locked Index.dat **", "Cleaning Locked Index.dat...", {custom(clean::ClearLockedIndexDat)}},
    {G::IE, 7, "Clean Outlook Express Deleted Items", "Cleaning  Outlook Express Deleted Items...",
     {custom(clean::ClearOEDeletedItems)}},
    {G::IE, 8, "Clean Cookies", "Cleaning Cookies...", {custom(removeUnkeptCookies)}},
    {G::IE, 9, "Disable AutoComplete", "Disabling AutoComplete...", {custom(clean::DisableAutoComplete)}},
    {G::Netscape, 0, "Clean Netscape Typed URL", "Cleaning Netscape Typed URL...", {custom(clean::CleanNSTypedUrl)},
     P::AfterText},
    {G::Netscape, 1, "Clean Netscape Cache", "Cleaning Netscape Cache...", {custom(clean::CleanNescapeCache)}},
    {G::Netscape, 2, "Clean Netscape Mail History", "Cleaning Netscape Mail History...",
     {custom(clean::CleanNetscapeMail)}, P::AfterText},
    {G::Netscape, 3, "Clean Netscape History", "Cleaning Netscape History...", {custom(clean::ClearNetScapeHistory)}},
    {G::Netscape, 4, "Clean Netscape Cookies", "Cleaning Netscape Cookies...", {custom(clean::CleanNetscapeCookies)},
     P::BeforeText},
    {G::Netscape, 5, "Clean Netscape AutoComplete Form", "Cleaning Netscape AutoComplete Form...",
     {custom(clean::ClearAutoComplte)}},
    {G::Opera, 0, "Clean Typed Opera URL ", "Cleaning Opera Typed URL...",
     {removeFile(clean::kOperaProfile, "global.dat"), removeFile(clean::kOperaProfile, "opera.dir")}, P::BeforeText},
    {G::Opera, 1, "Clean Opera Cache", "Cleaning Opera Cache...",
     {emptyFolder(clean::kOperaInstall, "Cache"), emptyFolder(clean::kOperaProfile, "cache4")}, P::None, true},
    {G::Opera, 2, "Clean Opera Cookies", "Cleaning Opera Cookies...",
     {removeFile(clean::kOperaInstall, "cookies.dat"), removeFile(clean::kOperaProfile, "cookies4.dat")},
     P::BeforeText, true},
};

}  // namespace

const std::vector<CleaningItem>& catalogue() { return kItems; }

const char* arrayName(CleaningGroup group) {
  switch (group) {
    case G::Windows: return "chkWinSettings";
    case G::IE: return "chkIEsettings";
    case G::Netscape: return "chkNSsettings";
    case G::Opera: return "chkOPsettings";
    case G::Firefox: return "chkFFsettings";
    case G::Chrome: return "chkCRsettings";
    case G::Safari: return "chkSFsettings";
    case G::Applications: return "chkAPsettings";
  }
  return "";
}

}  // namespace engine

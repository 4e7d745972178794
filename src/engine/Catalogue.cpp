#include "engine/Catalogue.h"

#include "browsers/BrowserInUse.h"
#include "browsers/ChromeProfiles.h"
#include "browsers/MozillaProfiles.h"
#include "browsers/OperaSafariFolders.h"
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
using browsers::kChromeProfiles;
using browsers::kChromeUserData;
using browsers::kMozillaProfiles;
using browsers::kMozillaProfilesAndCaches;
using browsers::kOperaProfiles;
using browsers::kOperaProfilesAndCaches;
using browsers::kSafariCaches;
using browsers::kSafariProfile;

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
    // Opera 7 kept its history in global.dat; 9 and later list typed addresses apart.
    {G::Opera, 0, "Clean Typed Opera URL ", "Cleaning Opera Typed URL...",
     {onlyIf(browsers::OperaClosed), removeFile(clean::kOperaProfile, "global.dat"),
      removeFile(clean::kOperaProfile, "opera.dir"), removeFile(kOperaProfiles, "typed_history.xml")},
     P::BeforeText},
    {G::Opera, 1, "Clean Opera Cache", "Cleaning Opera Cache...",
     {onlyIf(browsers::OperaClosed), emptyFolder(clean::kOperaInstall, "Cache"),
      emptyFolder(clean::kOperaProfile, "cache4"), emptyTree(kOperaProfilesAndCaches, "cache4"),
      emptyTree(kOperaProfilesAndCaches, "cache"), emptyTree(kOperaProfilesAndCaches, "opcache")},
     P::None, true},
    {G::Opera, 2, "Clean Opera Cookies", "Cleaning Opera Cookies...",
     {onlyIf(browsers::OperaClosed), removeFile(clean::kOperaInstall, "cookies.dat"),
      removeFile(clean::kOperaProfile, "cookies4.dat"), removeFile(kOperaProfiles, "cookies4.dat")},
     P::BeforeText, true},
    // global.dat is Opera 9.0 to 9.2's history, global_history.dat the later ones'.
    {G::Opera, 3, "Clean Opera History", "Cleaning Opera History...",
     {onlyIf(browsers::OperaClosed), removeFile(kOperaProfiles, "global_history.dat"),
      removeFile(kOperaProfiles, "global.dat"), removeFile(kOperaProfiles, "vlink4.dat")}},
    {G::Opera, 4, "Clean Opera Session", "Cleaning Opera Session...",
     {onlyIf(browsers::OperaClosed), removeFile(kOperaProfiles, "sessions\\autosave.win"),
      removeFile(kOperaProfiles, "sessions\\autosave.win.bak")}},
    {G::Opera, 5, "Clean Opera Download History", "Cleaning Opera Download History...",
     {onlyIf(browsers::OperaClosed), removeFile(kOperaProfiles, "download.dat")}},
    // Cache until Firefox 31, cache2 from 32; the local half of a profile holds them from
    // Firefox 3 on, the profile itself before.
    {G::Firefox, 0, "Clean Firefox Cache", "Cleaning Firefox Cache...",
     {onlyIf(browsers::FirefoxClosed), emptyTree(kMozillaProfilesAndCaches, "Cache"),
      emptyTree(kMozillaProfilesAndCaches, "cache2"), emptyTree(kMozillaProfilesAndCaches, "OfflineCache"),
      emptyTree(kMozillaProfilesAndCaches, "thumbnails")}},
    // sessionstore.js from Firefox 2, its .bak from 3.5, the backups folder from 33.
    {G::Firefox, 1, "Clean Firefox Session", "Cleaning Firefox Session...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "sessionstore.js"),
      removeFile(kMozillaProfiles, "sessionstore.bak"), emptyFolder(kMozillaProfiles, "sessionstore-backups")}},
    // Firefox 1 and 2 kept these in files of their own; later ones in databases.
    {G::Firefox, 2, "Clean Firefox History", "Cleaning Firefox History...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "history.dat")}},
    {G::Firefox, 3, "Clean Firefox Form History", "Cleaning Firefox Form History...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "formhistory.dat")}},
    {G::Firefox, 4, "Clean Firefox Cookies", "Cleaning Firefox Cookies...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "cookies.txt")}},
    {G::Firefox, 5, "Clean Firefox Download History", "Cleaning Firefox Download History...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "downloads.rdf")}},
    {G::Chrome, 0, "Clean Chrome Cache", "Cleaning Chrome Cache...",
     {onlyIf(browsers::ChromeClosed), emptyTree(kChromeProfiles, "Cache"), emptyTree(kChromeProfiles, "Media Cache"),
      emptyTree(kChromeProfiles, "GPUCache"), emptyTree(kChromeProfiles, "Application Cache"),
      emptyTree(kChromeUserData, "ShaderCache")}},
    {G::Chrome, 1, "Clean Chrome Session", "Cleaning Chrome Session...",
     {onlyIf(browsers::ChromeClosed), removeFile(kChromeProfiles, "Current Session"),
      removeFile(kChromeProfiles, "Current Tabs"), removeFile(kChromeProfiles, "Last Session"),
      removeFile(kChromeProfiles, "Last Tabs")}},
    // The files that hold nothing but history; the History database itself is edited apart.
    {G::Chrome, 2, "Clean Chrome History", "Cleaning Chrome History...",
     {onlyIf(browsers::ChromeClosed), removeFile(kChromeProfiles, "Visited Links"),
      removeFile(kChromeProfiles, "Archived History"), removeFile(kChromeProfiles, "Archived History-journal"),
      removeMatching(kChromeProfiles, "History Index *"), removeFile(kChromeProfiles, "Top Sites"),
      removeFile(kChromeProfiles, "Top Sites-journal"), removeFile(kChromeProfiles, "Thumbnails"),
      removeFile(kChromeProfiles, "Thumbnails-journal"), removeFile(kChromeProfiles, "History Provider Cache")}},
    // LastSession.plist names the pages of the last session: history too.
    {G::Safari, 0, "Clean Safari History", "Cleaning Safari History...",
     {onlyIf(browsers::SafariClosed), removeFile(kSafariProfile, "History.plist"),
      removeFile(kSafariProfile, "LastSession.plist"), removeFile(kSafariProfile, "TopSites.plist")}},
    {G::Safari, 1, "Clean Safari Cache", "Cleaning Safari Cache...",
     {onlyIf(browsers::SafariClosed), removeFile(kSafariCaches, "Cache.db"), removeFile(kSafariCaches, "Cache.db-journal"),
      removeFile(kSafariCaches, "Cache.db-wal"), removeFile(kSafariCaches, "Cache.db-shm")}},
    // Cookies.plist until Safari 4, Cookies.binarycookies in 5.
    {G::Safari, 2, "Clean Safari Cookies", "Cleaning Safari Cookies...",
     {onlyIf(browsers::SafariClosed), removeFile(kSafariProfile, "Cookies\\Cookies.plist"),
      removeFile(kSafariProfile, "Cookies\\Cookies.binarycookies")}},
    {G::Safari, 3, "Clean Safari Form Data", "Cleaning Safari Form Data...",
     {onlyIf(browsers::SafariClosed), removeFile(kSafariProfile, "Form Values")}},
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

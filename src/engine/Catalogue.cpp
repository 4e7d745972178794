#include "engine/Catalogue.h"

#include "browsers/BrowserInUse.h"
#include "browsers/ChromeDatabases.h"
#include "browsers/FirefoxDatabases.h"
#include "browsers/ChromeProfiles.h"
#include "browsers/MozillaProfiles.h"
#include "browsers/OperaSafariFolders.h"
#include "clean/IEItems.h"
#include "clean/NetscapeItems.h"
#include "clean/OperaItems.h"
#include "clean/UserDataFolders.h"
#include "clean/WindowsItems.h"
#include "cookies/NetscapeCookieFile.h"
#include "cookies/OperaCookieFile.h"
#include "cookies/SafariBinaryCookies.h"
#include "cookies/SafariCookiesPlist.h"

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

// An item that cleans the cookies of `browser`: it spares the kept sites, and the list of
// sites shows what it finds.
CleaningItem cookiesOf(const char* browser, CleaningItem item) {
  item.cookiesOf = browser;
  return item;
}

// The traces Windows XP and everyday programs keep: each off until ticked, each with the
// tooltip that says what goes.
CleaningItem application(int index, const char* caption, const char* statusText, const char* tooltip,
                         std::vector<Action> actions) {
  CleaningItem item{G::Applications, index, caption, statusText, std::move(actions)};
  item.tooltip = tooltip;
  return item;
}

const char kUserAssistCounts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{*}\\Count";
const char kMUICache[] = "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const char kShellNoRoam[] = "Software\\Microsoft\\Windows\\ShellNoRoam";
const char kShell[] = "Software\\Microsoft\\Windows\\Shell";
const char kTypedURLsTime[] = "Software\\Microsoft\\Internet Explorer\\TypedURLsTime";
const char kPlayerFiles[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
const char kPlayerURLs[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList";
const char kPaintFiles[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List";
const char kWordPadFiles[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List";
const char kSearchLists[] = "Software\\Microsoft\\Search Assistant\\ACMru";
// Office 97 is 8.0, 2000 9.0, XP 10.0, 2003 11.0, 2007 12.0.
const char kWordFileMRU[] = "Software\\Microsoft\\Office\\#.0\\Word\\File MRU";
const char kExcelRecentFiles[] = "Software\\Microsoft\\Office\\#.0\\Excel\\Recent Files";
const char kExcelRecentFileList[] = "Software\\Microsoft\\Office\\#.0\\Excel\\Recent File List";
const char kExcelFileMRU[] = "Software\\Microsoft\\Office\\#.0\\Excel\\File MRU";
const char kPowerPointRecent[] = "Software\\Microsoft\\Office\\#.0\\PowerPoint\\Recent File List";
const char kPowerPointFileMRU[] = "Software\\Microsoft\\Office\\#.0\\PowerPoint\\File MRU";
const char kAccessSettings[] = "Software\\Microsoft\\Office\\#.0\\Access\\Settings";
const char kAccessFileMRU[] = "Software\\Microsoft\\Office\\#.0\\Access\\File MRU";
const char kPublisherRecent[] = "Software\\Microsoft\\Office\\#.0\\Publisher\\Recent File List";
const char kPublisherFileMRU[] = "Software\\Microsoft\\Office\\#.0\\Publisher\\File MRU";
const char kReaderGeneral[] = "Software\\Adobe\\Acrobat Reader\\#.0\\AVGeneral";
const char kWinRARArchives[] = "Software\\WinRAR\\ArcHistory";
const char kWinRARDialogs[] = "Software\\WinRAR\\DialogEditHistory";
const char kSevenZipManager[] = "Software\\7-Zip\\FM";
const char kSevenZipCompression[] = "Software\\7-Zip\\Compression";
const char kSevenZipExtraction[] = "Software\\7-Zip\\Extraction";
const char kWinZipFileMenu[] = "Software\\Nico Mak Computing\\WinZip\\filemenu";
const char kRealPlayerPreferences[] = "Software\\RealNetworks\\RealPlayer\\#.0\\Preferences";

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
    cookiesOf("Internet Explorer", {G::IE, 8, "Clean Cookies", "Cleaning Cookies...", {custom(removeUnkeptCookies)}}),
    {G::IE, 9, "Disable AutoComplete", "Disabling AutoComplete...", {custom(clean::DisableAutoComplete)}},
    {G::Netscape, 0, "Clean Netscape Typed URL", "Cleaning Netscape Typed URL...", {custom(clean::CleanNSTypedUrl)},
     P::AfterText},
    {G::Netscape, 1, "Clean Netscape Cache", "Cleaning Netscape Cache...", {custom(clean::CleanNescapeCache)}},
    {G::Netscape, 2, "Clean Netscape Mail History", "Cleaning Netscape Mail History...",
     {custom(clean::CleanNetscapeMail)}, P::AfterText},
    {G::Netscape, 3, "Clean Netscape History", "Cleaning Netscape History...", {custom(clean::ClearNetScapeHistory)}},
    cookiesOf("Netscape", {G::Netscape, 4, "Clean Netscape Cookies", "Cleaning Netscape Cookies...",
                           {custom(clean::CleanNetscapeCookies)}, P::BeforeText}),
    {G::Netscape, 5, "Clean Netscape AutoComplete Form", "Cleaning Netscape AutoComplete Form...",
     {custom(clean::ClearAutoComplte)}},
    // Opera 7 kept its history in global.dat; 9 and later list typed addresses apart.
    {G::Opera, 0, "Clean Typed Opera URL ", "Cleaning Opera Typed URL...",
     {onlyIf(browsers::OperaClosed), removeFile(clean::kOperaProfile, "global.dat"),
      removeFile(clean::kOperaProfile, "opera.dir"), removeFile(kOperaProfiles, "typed_history.xml")},
     P::BeforeText},
    {G::Opera, 1, "Clean Opera Cache", "Cleaning Opera Cache...",
     {onlyIf(browsers::OperaClosed), emptyFolder(clean::kOperaInstall, "Cache"),
      emptyFolder(clean::kOperaProfile, "cache4"), emptyFolderTree(kOperaProfilesAndCaches, "cache4"),
      emptyFolderTree(kOperaProfilesAndCaches, "cache"), emptyFolderTree(kOperaProfilesAndCaches, "opcache")},
     P::None, true},
    cookiesOf("Opera", {G::Opera, 2, "Clean Opera Cookies", "Cleaning Opera Cookies...",
                        {onlyIf(browsers::OperaClosed), removeFile(clean::kOperaInstall, "cookies.dat"),
                         spareKeptSites(clean::kOperaProfile, "cookies4.dat", cookies::FilterOperaCookies),
                         spareKeptSites(kOperaProfiles, "cookies4.dat", cookies::FilterOperaCookies)},
                        P::BeforeText, true}),
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
     {onlyIf(browsers::FirefoxClosed), emptyFolderTree(kMozillaProfilesAndCaches, "Cache"),
      emptyFolderTree(kMozillaProfilesAndCaches, "cache2"), emptyFolderTree(kMozillaProfilesAndCaches, "OfflineCache"),
      emptyFolderTree(kMozillaProfilesAndCaches, "thumbnails")}},
    // sessionstore.js from Firefox 2, its .bak from 3.5, the backups folder from 33.
    {G::Firefox, 1, "Clean Firefox Session", "Cleaning Firefox Session...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "sessionstore.js"),
      removeFile(kMozillaProfiles, "sessionstore.bak"), emptyFolder(kMozillaProfiles, "sessionstore-backups")}},
    // Firefox 1 and 2 kept these in files of their own; Firefox 3 on in databases, edited row
    // by row so that bookmarks and what else shares a file stay.
    {G::Firefox, 2, "Clean Firefox History", "Cleaning Firefox History...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "history.dat"),
      editDatabase(kMozillaProfiles, browsers::kFirefoxHistory)}},
    {G::Firefox, 3, "Clean Firefox Form History", "Cleaning Firefox Form History...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "formhistory.dat"),
      editDatabase(kMozillaProfiles, browsers::kFirefoxFormHistory)}},
    cookiesOf("Firefox", {G::Firefox, 4, "Clean Firefox Cookies", "Cleaning Firefox Cookies...",
                          {onlyIf(browsers::FirefoxClosed),
                           spareKeptSites(kMozillaProfiles, "cookies.txt", cookies::FilterNetscapeCookies),
                           editDatabase(kMozillaProfiles, browsers::kFirefoxCookies)}}),
    // downloads.rdf until Firefox 2, downloads.sqlite from 3 to 20, places.sqlite since.
    {G::Firefox, 5, "Clean Firefox Download History", "Cleaning Firefox Download History...",
     {onlyIf(browsers::FirefoxClosed), removeFile(kMozillaProfiles, "downloads.rdf"),
      editDatabase(kMozillaProfiles, browsers::kFirefoxDownloads),
      editDatabase(kMozillaProfiles, browsers::kFirefoxDownloadPlaces)}},
    {G::Chrome, 0, "Clean Chrome Cache", "Cleaning Chrome Cache...",
     {onlyIf(browsers::ChromeClosed), emptyFolderTree(kChromeProfiles, "Cache"),
      emptyFolderTree(kChromeProfiles, "Media Cache"), emptyFolderTree(kChromeProfiles, "GPUCache"),
      emptyFolderTree(kChromeProfiles, "Application Cache"),
      emptyFolderTree(kChromeUserData, "ShaderCache")}},
    {G::Chrome, 1, "Clean Chrome Session", "Cleaning Chrome Session...",
     {onlyIf(browsers::ChromeClosed), removeFile(kChromeProfiles, "Current Session"),
      removeFile(kChromeProfiles, "Current Tabs"), removeFile(kChromeProfiles, "Last Session"),
      removeFile(kChromeProfiles, "Last Tabs")}},
    // The files that hold nothing but history, and the History database's pages and visits.
    {G::Chrome, 2, "Clean Chrome History", "Cleaning Chrome History...",
     {onlyIf(browsers::ChromeClosed), editDatabase(kChromeProfiles, browsers::kChromeHistory),
      removeFile(kChromeProfiles, "Visited Links"),
      removeFile(kChromeProfiles, "Archived History"), removeFile(kChromeProfiles, "Archived History-journal"),
      removeMatching(kChromeProfiles, "History Index *"), removeFile(kChromeProfiles, "Top Sites"),
      removeFile(kChromeProfiles, "Top Sites-journal"), removeFile(kChromeProfiles, "Thumbnails"),
      removeFile(kChromeProfiles, "Thumbnails-journal"), removeFile(kChromeProfiles, "History Provider Cache")}},
    cookiesOf("Chrome", {G::Chrome, 3, "Clean Chrome Cookies", "Cleaning Chrome Cookies...",
                         {onlyIf(browsers::ChromeClosed), editDatabase(kChromeProfiles, browsers::kChromeCookies)}}),
    // What was typed into forms; addresses and cards the user saved stay, as passwords do.
    {G::Chrome, 4, "Clean Chrome Form Data", "Cleaning Chrome Form Data...",
     {onlyIf(browsers::ChromeClosed), editDatabase(kChromeProfiles, browsers::kChromeFormData)}},
    {G::Chrome, 5, "Clean Chrome Download History", "Cleaning Chrome Download History...",
     {onlyIf(browsers::ChromeClosed), editDatabase(kChromeProfiles, browsers::kChromeDownloads)}},
    // LastSession.plist names the pages of the last session: history too.
    {G::Safari, 0, "Clean Safari History", "Cleaning Safari History...",
     {onlyIf(browsers::SafariClosed), removeFile(kSafariProfile, "History.plist"),
      removeFile(kSafariProfile, "LastSession.plist"), removeFile(kSafariProfile, "TopSites.plist")}},
    {G::Safari, 1, "Clean Safari Cache", "Cleaning Safari Cache...",
     {onlyIf(browsers::SafariClosed), removeFile(kSafariCaches, "Cache.db"), removeFile(kSafariCaches, "Cache.db-journal"),
      removeFile(kSafariCaches, "Cache.db-wal"), removeFile(kSafariCaches, "Cache.db-shm")}},
    // Cookies.plist until Safari 4, Cookies.binarycookies in 5.
    cookiesOf("Safari",
              {G::Safari, 2, "Clean Safari Cookies", "Cleaning Safari Cookies...",
               {onlyIf(browsers::SafariClosed),
                spareKeptSites(kSafariProfile, "Cookies\\Cookies.plist", cookies::FilterSafariCookiesPlist),
                spareKeptSites(kSafariProfile, "Cookies\\Cookies.binarycookies", cookies::FilterSafariBinaryCookies)}}),
    {G::Safari, 3, "Clean Safari Form Data", "Cleaning Safari Form Data...",
     {onlyIf(browsers::SafariClosed), removeFile(kSafariProfile, "Form Values")}},
    application(0, "Programs Run (UserAssist)", "Cleaning Programs Run...",
                "Removes the list of programs you started, with how often and when (UserAssist). "
                "Windows XP builds the Start menu's list of frequently used programs from it: that list "
                "empties too.",
                {purgeValues(kUserAssistCounts, "*")}),
    application(1, "Program Name Cache", "Cleaning Program Name Cache...",
                "Removes the names Windows XP keeps of each program you started (MUICache). The "
                "language setting kept there stays.",
                {purgeValues(kMUICache, "*", "LangID")}),
    application(2, "Folder View History", "Cleaning Folder View History...",
                "Removes the list of folders you opened and the view kept for each (BagMRU and Bags). "
                "Every folder's view (icons, details, sizes, positions) goes back to the default.",
                {deleteSubKeys(kShellNoRoam, "BagMRU|Bags"), deleteSubKeys(kShell, "BagMRU|Bags")}),
    application(3, "IE Typed Address Times", "Cleaning IE Typed Address Times...",
                "Removes the times Internet Explorer 10 and later keep of each address you typed "
                "(TypedURLsTime). The addresses themselves go with the Location Bar History item.",
                {purgeValues(kTypedURLsTime, "url#")}),
    application(4, "IE DOM Storage", "Cleaning IE DOM Storage...",
                "Removes what web sites stored in Internet Explorer 8 (DOM storage): saved site data, "
                "sign-in states and shopping baskets kept that way.",
                {emptyFolderTree(clean::kLocalAppData, "Microsoft\\Internet Explorer\\DOMStore")}),
    application(5, "Media Player Recent Lists", "Cleaning Media Player Recent Lists...",
                "Removes Windows Media Player's lists of recently played files and addresses.",
                {purgeValues(kPlayerFiles, "File#"), purgeValues(kPlayerURLs, "URL#")}),
    application(6, "Paint Recent Files", "Cleaning Paint Recent Files...",
                "Removes the list of pictures recently opened in Paint.", {purgeValues(kPaintFiles, "File#")}),
    application(7, "WordPad Recent Files", "Cleaning WordPad Recent Files...",
                "Removes the list of documents recently opened in WordPad.",
                {purgeValues(kWordPadFiles, "File#")}),
    // 5647 and 5604 are the Windows and Internet Explorer items' own.
    application(8, "Search Companion Lists", "Cleaning Search Companion Lists...",
                "Removes the other lists of what you typed into Search Companion (names, words in files, "
                "Internet searches). The two the Windows and IE pages clean stay theirs.",
                {deleteSubKeys(kSearchLists, "#", "5604|5647")}),
    // Word 97 to 2003 keep the list inside the one value that holds every Word setting: left.
    application(9, "Word Recent Files", "Cleaning Word Recent Files...",
                "Removes the list of documents recently opened in Word 2007. Word 97 to 2003 keep theirs "
                "among all Word's settings, which stay.",
                {purgeValues(kWordFileMRU, "Item #")}),
    application(10, "Excel Recent Files", "Cleaning Excel Recent Files...",
                "Removes the list of workbooks recently opened in Excel 97 to 2007.",
                {purgeValues(kExcelRecentFiles, "File#"), purgeValues(kExcelRecentFileList, "File#"),
                 purgeValues(kExcelFileMRU, "Item #")}),
    application(11, "PowerPoint Recent Files", "Cleaning PowerPoint Recent Files...",
                "Removes the list of presentations recently opened in PowerPoint 97 to 2007.",
                {purgeValues(kPowerPointRecent, "File#"), purgeValues(kPowerPointFileMRU, "Item #")}),
    application(12, "Access Recent Files", "Cleaning Access Recent Files...",
                "Removes the list of databases recently opened in Access 97 to 2007. Access's other "
                "settings stay.",
                {purgeValues(kAccessSettings, "MRU#|MRUFlags#"), purgeValues(kAccessFileMRU, "Item #")}),
    application(13, "Publisher Recent Files", "Cleaning Publisher Recent Files...",
                "Removes the list of publications recently opened in Publisher 2000 to 2007.",
                {purgeValues(kPublisherRecent, "File#"), purgeValues(kPublisherFileMRU, "Item #")}),
    application(14, "Adobe Reader Recent Files", "Cleaning Adobe Reader Recent Files...",
                "Removes the list of documents recently opened in Adobe Reader 5 to 9.",
                {deleteSubKeys(kReaderGeneral, "cRecentFiles")}),
    application(15, "WinRAR History", "Cleaning WinRAR History...",
                "Removes WinRAR's lists of archives opened, archive names typed and folders extracted to.",
                {purgeValues(kWinRARArchives, "#"), deleteSubKeys(kWinRARDialogs, "ArcName|ExtrPath")}),
    application(16, "7-Zip History", "Cleaning 7-Zip History...",
                "Removes 7-Zip's lists of folders visited, copied to, archives made and folders "
                "extracted to. 7-Zip's other settings stay.",
                {purgeValues(kSevenZipManager, "FolderHistory|CopyHistory"),
                 purgeValues(kSevenZipCompression, "ArcHistory"), purgeValues(kSevenZipExtraction, "PathHistory")}),
    application(17, "WinZip Recent Files", "Cleaning WinZip Recent Files...",
                "Removes the list of archives recently opened in WinZip (its File menu).",
                {purgeValues(kWinZipFileMenu, "filemenu#")}),
    // Below #SharedObjects, Flash keeps its settings manager's own objects in a folder of
    // its own: they hold the user's Flash settings.
    application(18, "Flash Player Stored Objects", "Cleaning Flash Player Stored Objects...",
                "Removes what web sites stored through Flash Player (its stored objects, Flash "
                "cookies). Flash Player's own settings stay.",
                {emptyFolderTree(clean::kAppData, "Macromedia\\Flash Player\\#SharedObjects",
                                 "*\\macromedia.com\\support\\flashplayer\\sys")}),
    application(19, "Java Plug-in Cache", "Cleaning Java Plug-in Cache...",
                "Removes the applets and files the Java plug-in keeps (Java 5 and 6). Java's settings "
                "stay.",
                {emptyFolderTree(clean::kAppData, "Sun\\Java\\Deployment\\cache"),
                 emptyFolderTree(clean::kLocalAppData, "Sun\\Java\\Deployment\\cache")}),
    application(20, "RealPlayer Recent Clips", "Cleaning RealPlayer Recent Clips...",
                "Removes the list of clips recently played in RealPlayer.",
                {deleteSubKeys(kRealPlayerPreferences, "MostRecentClips#")}),
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

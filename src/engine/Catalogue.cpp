#include "engine/Catalogue.h"

#include "clean/IEItems.h"
#include "clean/NetscapeItems.h"
#include "clean/OperaItems.h"
#include "clean/UserDataFolders.h"
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

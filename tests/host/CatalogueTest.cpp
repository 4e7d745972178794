// Every cleaning item on one Windows 98 machine that holds something for each of them, with
// something beside each target that no item may take: ticked alone or all together, the
// preview changes nothing and lists what the run then removes, and the neighbours stay.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "PlanHarness.h"
#include "database/Database.h"

namespace {

using erase::Outcome;
using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;
using Names = std::vector<std::string>;

const std::string kHKCU = "HKEY_CURRENT_USER\\";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kRunMRU = kExplorer + "\\RunMRU";
const std::string kDocFind = "Software\\Microsoft\\Windows\\Currentversion\\Explorer\\Doc Find Spec MRU";
const std::string kSearchBar =
    "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";
const std::string kFilesNamed = kSearchBar + "\\FilesNamedMRU";
const std::string kOpenSave = kExplorer + "\\ComDlg32\\OpenSaveMRU";
const std::string kACMru = "Software\\Microsoft\\Search Assistant\\ACMru";
const std::string kStreams = "Software\\Microsoft\\Windows\\CurrentVersion\\StreamMRU";
const std::string kPageFile =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\ClearPageFileAtShutdown";
const std::string kIE = "Software\\Microsoft\\Internet Explorer";

// Windows 98's folders; "Application Data" by its 8.3 name, as the Mozilla profile search
// names what it finds.
const std::string kAppData = "C:\\WINDOWS\\Application Data";
const std::string kAppDataShort = "C:\\WINDOWS\\APPLIC~1";
const std::string kTemp = "C:\\WINDOWS\\TEMP";
const std::string kCookies = "C:\\WINDOWS\\Cookies";
const std::string kHistory = "C:\\WINDOWS\\History";
const std::string kContent = "C:\\WINDOWS\\Temporary Internet Files\\Content.IE5";
const std::string kMailStore = kAppData + "\\Identities\\{ID}\\Microsoft\\Outlook Express";
const std::string kCommunicator = "C:\\Program Files\\Netscape\\Users\\default";
const std::string kProfile = kAppData + "\\Mozilla\\Profiles\\default\\k3x9q2.slt";
const std::string kProfileShort = kAppDataShort + "\\Mozilla\\Profiles\\default\\k3x9q2.slt";
const std::string kOperaInstall = "C:\\Program Files\\Opera";
const std::string kOperaProfile = kAppData + "\\Opera\\OPERA7\\profile";
const std::string kQuellery = "C:\\Program Files\\Quellery";

// --- The applications page: where Windows XP and everyday programs keep their traces.
const std::string kLocalAppData = "C:\\WINDOWS\\Local Settings\\Application Data";
const std::string kUserAssist = kExplorer + "\\UserAssist";
const std::string kProgramsCount = kUserAssist + "\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count";
const std::string kToolbarCount = kUserAssist + "\\{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count";
const std::string kShellNoRoam = "Software\\Microsoft\\Windows\\ShellNoRoam";
const std::string kShell = "Software\\Microsoft\\Windows\\Shell";
const std::string kMUICache = kShellNoRoam + "\\MUICache";
const std::string kPlayer = "Software\\Microsoft\\MediaPlayer\\Player";
const std::string kApplets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets";
const std::string kOffice = "Software\\Microsoft\\Office";
const std::string kReader = "Software\\Adobe\\Acrobat Reader";
const std::string kWinRAR = "Software\\WinRAR";
const std::string kSevenZip = "Software\\7-Zip";
const std::string kWinZip = "Software\\Nico Mak Computing\\WinZip";
const std::string kRealPrefs = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences";
const std::string kDOMStore = kLocalAppData + "\\Microsoft\\Internet Explorer\\DOMStore";
const std::string kFlashObjects = kAppData + "\\Macromedia\\Flash Player\\#SharedObjects\\KX4H7W2Q";
const std::string kFlashSys = "macromedia.com\\support\\flashplayer\\sys";
const std::string kJavaRoaming = kAppData + "\\Sun\\Java\\Deployment";
const std::string kJavaLocal = kLocalAppData + "\\Sun\\Java\\Deployment";
// The browsers of the profile lists, on the same machine: Opera 9, Firefox 2, Chrome and Safari 3.
const std::string kOpera9 = kAppData + "\\Opera\\Opera\\profile";
const std::string kFirefox2 = kAppData + "\\Mozilla\\Firefox\\Profiles\\w98prof.default";
const std::string kChrome = kLocalAppData + "\\Google\\Chrome\\User Data\\Default";
const std::string kSafari = kAppData + "\\Apple Computer\\Safari";
const std::string kSafariCache = kLocalAppData + "\\Apple Computer\\Safari";

// What each item lists on the seeded machine, in catalogue order: the bytes it frees, every
// target, the refused ones with their reason, and the programs its run starts.
struct Expected {
  std::string caption;
  uint64_t bytes;
  Names targets;
  Names refusals = {};
  Names started = {};
};

Names listOf(const std::string& key, const Names& values) {
  Names out;
  for (const std::string& value : values) out.push_back("Registry value " + kHKCU + key + "\\" + value);
  out.push_back("Registry key " + kHKCU + key);
  return out;
}
Names valuesOf(const std::string& key, const Names& values) {
  Names out;
  for (const std::string& value : values) out.push_back("Registry value " + kHKCU + key + "\\" + value);
  return out;
}
Names keys(const Names& paths) {
  Names out;
  for (const std::string& path : paths) out.push_back("Registry key " + kHKCU + path);
  return out;
}
Names operator+(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<Expected>& expected() {
  static const std::vector<Expected> items = {
      {"Clean Recycle Bin", 4096, {"Recycle Bin C:\\"}},
      {"Clean Recent Run History **", 9 + 9 + 2, listOf(kRunMRU, {"a", "b", "MRUList"})},
      {"Clean Recent Document List", 0, {"History entry Recent Documents"}},
      {"Clean Find File/Folder History", 5 + 1 + 6 + 1,
       listOf(kDocFind, {"a", "MRUList"}) + listOf(kFilesNamed, {"a", "MRUList"})},
      {"Clean Registry Fragment Files", 1, {"Registry key " + kHKCU + kStreams, "Setting " + kHKCU + kPageFile}},
      {"Clean Clipboard", 0, {"Clipboard Clipboard"}},
      {"Clean ScanDisk .Chk File", 10 + 4, {"File C:\\FILE0000.CHK", "File D:\\FILE0001.CHK"}},
      {"Clean Windows Temp File Folder",
       5 + 7,
       {"File " + kTemp + "\\a.tmp", "File " + kTemp + "\\kept.tmp", "File " + kTemp + "\\one\\b.tmp",
        "Folder " + kTemp + "\\one"},
       {"File " + kTemp + "\\kept.tmp: hidden or system"}},
      {"Clean Open/Save Dialog Box History", 13 + 1, listOf(kOpenSave, {"a", "MRUList"})},
      {"Clean Search Computer History", 6, listOf(kACMru + "\\5647", {"000"})},
      {"Clean Location Bar History", 20 + 20, listOf(kIE + "\\TypedURLs", {"url1", "url2"})},
      {"Clean AutoComplete  Forms Data",
       0,
       {"Setting AutoComplete form entries (emptied by iea.exe)"},
       {},
       {"open " + kQuellery + "\\iea.exe 1"}},
      // The cached file, and again the cache entry that names it.
      {"Clean Temporary Internet Files (Cache)",
       2048 + 2048,
       {"File " + kContent + "\\AB12CD34\\index[1].htm", "Folder " + kContent + "\\AB12CD34",
        "Cache entry http://news.example/"}},
      {"Clean AutoComplete Password Data", 0, {"Registry key " + kHKCU + kIE + "\\IntelliForms"}},
      {"Clean Internet History", 0, {"History entry http://news.example/", "History entry http://shop.example/basket"}},
      {"Clean URL Error Logs", 20, listOf(kACMru + "\\5604", {"000"})},
      {"Clean Locked Index.dat **", 35 + 700, {"File " + kCookies + "\\index.dat", "File " + kHistory + "\\index.dat"}},
      {"Clean Outlook Express Deleted Items", 5000, {"File " + kMailStore + "\\Deleted Items.dbx"}},
      {"Clean Cookies",
       120 + 300,
       {"Cookie Cookie:user@news.example/", "Cookie Cookie:user@shop.example/", "Cookie Cookie:user@bank.example/ (kept)"}},
      {"Disable AutoComplete",
       2 + 2,
       {"Registry key " + kHKCU + kIE + "\\IntelliForms\\SPW", "Setting " + kHKCU + kIE + "\\Main\\Use FormSuggest",
        "Setting " + kHKCU + "Software\\Microsoft\\Explorer\\AutoComplete\\Use AutoComplete"}},
      {"Clean Netscape Typed URL",
       10 + 12 + 11,
       {"File " + kCommunicator + "\\FieldSchema.tbl", "File " + kCommunicator + "\\SchemaValue.tbl",
        "File " + kProfileShort + "\\URLFIE~1.TBL"}},
      {"Clean Netscape Cache",
       4 + 6,
       {"File " + kCommunicator + "\\cache\\M0001.htm", "File " + kProfileShort + "\\Cache\\_CACHE_001_"}},
      {"Clean Netscape Mail History",
       12 + 12 + 7,
       {"File " + kCommunicator + "\\mail\\trash", "File " + kProfileShort + "\\Mail\\LOCALF~1\\Trash",
        "File " + kProfileShort + "\\Mail\\LOCALF~1\\Trash.msf"}},
      {"Clean Netscape History",
       7 + 300,
       {"File " + kCommunicator + "\\netscape.hst", "File " + kProfileShort + "\\history.dat"}},
      {"Clean Netscape Cookies", 64, {"File " + kProfile + "\\cookies.txt"}},
      {"Clean Netscape AutoComplete Form",
       10 + 12 + 11,
       {"File " + kCommunicator + "\\FieldSchema.tbl", "File " + kCommunicator + "\\SchemaValue.tbl",
        "File " + kProfileShort + "\\URLFIE~1.TBL"}},
      {"Clean Typed Opera URL ",
       700 + 30 + 91,
       {"File " + kOperaProfile + "\\global.dat", "File " + kOperaProfile + "\\opera.dir",
        "File " + kOpera9 + "\\typed_history.xml"}},
      {"Clean Opera Cache",
       2 + 2 + 3 + 4,
       {"File " + kOperaInstall + "\\Cache\\opr001.tmp", "File " + kOperaProfile + "\\cache4\\opr002.tmp",
        "File " + kOpera9 + "\\cache4\\g_0000\\opr003.tmp", "Folder " + kOpera9 + "\\cache4\\g_0000",
        "File " + kOpera9 + "\\cache4\\opr004.tmp"}},
      {"Clean Opera Cookies",
       40 + 41 + 93,
       {"File " + kOperaInstall + "\\cookies.dat", "File " + kOperaProfile + "\\cookies4.dat",
        "File " + kOpera9 + "\\cookies4.dat"}},
      {"Clean Opera History", 90 + 92, {"File " + kOpera9 + "\\global_history.dat", "File " + kOpera9 + "\\vlink4.dat"}},
      {"Clean Opera Session", 95, {"File " + kOpera9 + "\\sessions\\autosave.win"}},
      {"Clean Opera Download History", 94, {"File " + kOpera9 + "\\download.dat"}},
      {"Clean Firefox Cache", 5, {"File " + kFirefox2 + "\\Cache\\_CACHE_001_"}},
      {"Clean Firefox Session", 100, {"File " + kFirefox2 + "\\sessionstore.js"}},
      {"Clean Firefox History", 101, {"File " + kFirefox2 + "\\history.dat"}},
      {"Clean Firefox Form History", 102, {"File " + kFirefox2 + "\\formhistory.dat"}},
      {"Clean Firefox Cookies", 103, {"File " + kFirefox2 + "\\cookies.txt"}},
      {"Clean Firefox Download History", 104, {"File " + kFirefox2 + "\\downloads.rdf"}},
      {"Clean Chrome Cache", 6, {"File " + kChrome + "\\Cache\\data_0"}},
      {"Clean Chrome Session", 110, {"File " + kChrome + "\\Current Session"}},
      {"Clean Chrome History", 111 + 8 + 18,
       {"History entry " + kChrome + "\\History: visit to http://a.example/",
        "History entry " + kChrome + "\\History: http://a.example/", "File " + kChrome + "\\Visited Links"}},
      {"Clean Chrome Cookies", 16, {"Cookie " + kChrome + "\\Cookies: .a.example/ sid"}},
      {"Clean Chrome Form Data", 17, {"Form entry " + kChrome + "\\Web Data: email=me@a.example"}},
      {"Clean Chrome Download History", 8, {"History entry " + kChrome + "\\History: C:\\d.zip"}},
      {"Clean Safari History", 120, {"File " + kSafari + "\\History.plist"}},
      {"Clean Safari Cache", 7, {"File " + kSafariCache + "\\Cache.db"}},
      {"Clean Safari Cookies", 121, {"File " + kSafari + "\\Cookies\\Cookies.plist"}},
      {"Clean Safari Form Data", 122, {"File " + kSafari + "\\Form Values"}},
      // --- The applications page.
      {"Programs Run (UserAssist)",
       5 + 7 + 7,
       valuesOf(kProgramsCount, {"HRZR_EHACNGU:P:\\JVAQBJF\\abgrcnq.rkr", "HRZR_PGYFRFFVBA"}) +
           valuesOf(kToolbarCount, {"HRZR_HVFPHG"})},
      {"Program Name Cache", 7 + 11,
       valuesOf(kMUICache, {"C:\\WINDOWS\\notepad.exe", "@C:\\WINDOWS\\system32\\shell32.dll,-8964"})},
      {"Folder View History",
       0,
       keys({kShellNoRoam + "\\BagMRU", kShellNoRoam + "\\Bags", kShell + "\\BagMRU", kShell + "\\Bags"})},
      {"IE Typed Address Times", 8 + 8, valuesOf(kIE + "\\TypedURLsTime", {"url1", "url2"})},
      {"IE DOM Storage",
       20 + 30,
       {"File " + kDOMStore + "\\index.dat", "File " + kDOMStore + "\\QX3ZK1PA\\news.example[1].xml",
        "Folder " + kDOMStore + "\\QX3ZK1PA"}},
      {"Media Player Recent Lists",
       14 + 14 + 25,
       valuesOf(kPlayer + "\\RecentFileList", {"File0", "File1"}) +
           valuesOf(kPlayer + "\\RecentURLList", {"URL0"})},
      {"Paint Recent Files", 13, valuesOf(kApplets + "\\Paint\\Recent File List", {"File1"})},
      {"WordPad Recent Files", 12 + 11, valuesOf(kApplets + "\\Wordpad\\Recent File List", {"File1", "File2"})},
      {"Search Companion Lists", 0, keys({kACMru + "\\5603", kACMru + "\\5001"})},
      {"Word Recent Files", 21 + 21,
       valuesOf(kOffice + "\\12.0\\Word\\File MRU", {"Item 1", "Item 2"})},
      {"Excel Recent Files",
       13 + 13 + 13 + 21,
       valuesOf(kOffice + "\\11.0\\Excel\\Recent Files", {"File1", "File2"}) +
           valuesOf(kOffice + "\\8.0\\Excel\\Recent File List", {"File1"}) +
           valuesOf(kOffice + "\\12.0\\Excel\\File MRU", {"Item 1"})},
      {"PowerPoint Recent Files", 13 + 21,
       valuesOf(kOffice + "\\11.0\\PowerPoint\\Recent File List", {"File1"}) +
           valuesOf(kOffice + "\\12.0\\PowerPoint\\File MRU", {"Item 1"})},
      {"Access Recent Files", 13 + 1 + 13,
       valuesOf(kOffice + "\\11.0\\Access\\Settings", {"MRU1", "MRUFlags1", "MRU2"})},
      {"Publisher Recent Files", 13, valuesOf(kOffice + "\\11.0\\Publisher\\Recent File List", {"File1"})},
      {"Adobe Reader Recent Files",
       0,
       keys({kReader + "\\7.0\\AVGeneral\\cRecentFiles", kReader + "\\9.0\\AVGeneral\\cRecentFiles"})},
      {"WinRAR History", 13 + 13,
       valuesOf(kWinRAR + "\\ArcHistory", {"0", "1"}) +
           keys({kWinRAR + "\\DialogEditHistory\\ArcName", kWinRAR + "\\DialogEditHistory\\ExtrPath"})},
      {"7-Zip History", 7 + 6 + 12 + 6,
       valuesOf(kSevenZip + "\\FM", {"FolderHistory", "CopyHistory"}) +
           valuesOf(kSevenZip + "\\Compression", {"ArcHistory"}) +
           valuesOf(kSevenZip + "\\Extraction", {"PathHistory"})},
      {"WinZip Recent Files", 13 + 13, valuesOf(kWinZip + "\\filemenu", {"filemenu1", "filemenu2"})},
      // The settings manager's folder stays, and with it the folders holding it.
      {"Flash Player Stored Objects",
       20,
       {"File " + kFlashObjects + "\\news.example\\story.sol", "Folder " + kFlashObjects + "\\news.example"}},
      {"Java Plug-in Cache",
       10 + 12 + 6,
       {"File " + kJavaRoaming + "\\cache\\javapi\\v1.0\\jar\\applet.jar-1a2b.zip",
        "Folder " + kJavaRoaming + "\\cache\\javapi\\v1.0\\jar", "Folder " + kJavaRoaming + "\\cache\\javapi\\v1.0",
        "Folder " + kJavaRoaming + "\\cache\\javapi", "File " + kJavaLocal + "\\cache\\6.0\\12\\3af5-1c2d",
        "File " + kJavaLocal + "\\cache\\6.0\\12\\3af5-1c2d.idx", "Folder " + kJavaLocal + "\\cache\\6.0\\12",
        "Folder " + kJavaLocal + "\\cache\\6.0"}},
      {"RealPlayer Recent Clips", 0, keys({kRealPrefs + "\\MostRecentClips1", kRealPrefs + "\\MostRecentClips2"})},
  };
  return items;
}

class SeededMachine : protected PlanCheck {
 protected:
  SeededMachine() {
    // Every user shares the folders on 98: Communicator's and the old Opera's, which the
    // machine-wide registry names, are the user's own.
    machine.system.version.platformId = platform::osplatform::Windows9x;
    machine.files.fileIdsKnown = false;
    machine.shell.specialFolders = {{6, "C:\\WINDOWS\\Favorites"},
                                    {26, kAppData},
                                    {28, kLocalAppData},
                                    {32, "C:\\WINDOWS\\Temporary Internet Files"},
                                    {33, kCookies},
                                    {34, kHistory}};
    ::mkdir((machine.files.hostRoot() + "/D").c_str(), 0755);
    app.frm.form.hWnd = 0x2A;  // shown, as the view shows it: a clipboard opened names it
    seedWindows();
    seedInternetExplorer();
    seedNetscape();
    seedOpera();
    seedApplications();
    seedProfileBrowsers();
    seeded = platform::sim::captureMachine(machine);
  }

  void put(const std::string& path, const std::string& data = "data", uint32_t attributes = 0) {
    machine.files.makeFolders(path.substr(0, path.rfind('\\')));
    ASSERT_EQ(0, machine.files.writeFile(path, data)) << path;
    if (attributes) machine.files.setAttributes(path, attributes);
  }
  void value(const std::string& key, const std::string& name, const std::string& data) {
    machine.registry.setString(CurrentUser, key, name, data);
  }
  // Beside a target, and no item's to take.
  // A browser's database, made through the program's own database layer.
  void database(const std::string& path, const char* sql) {
    machine.files.writeFile(path, "");
    database::OpenResult opened = database::Database::open(machine.files, path);
    ASSERT_TRUE(opened.database) << opened.message;
    ASSERT_TRUE(opened.database->exec(sql)) << opened.database->lastError();
  }
  void canaryFile(const std::string& path) {
    put(path, "keep");
    canaries.push_back("file " + path.substr(0, 1) + path.substr(2));
  }
  void canaryValue(const std::string& key, const std::string& name) {
    value(key, name, "keep");
    canaries.push_back("value HKEY_CURRENT_USER\\" + key + "\\[" + name + "]");
  }

  void seedWindows() {
    machine.shell.recycleBins = {{"C:\\", 3}, {"D:\\", 0}};
    machine.shell.recycleBinBytes = {{"C:\\", 4096}};
    machine.shell.recentDocuments = {"letter.doc", "budget.xls"};
    machine.shell.clipboardText = "account 1234";

    value(kRunMRU, "a", "notepad\\1");
    value(kRunMRU, "b", "regedit\\1");
    value(kRunMRU, "MRUList", "ab");
    canaryValue(kExplorer, "ShellState");
    canaryValue(kExplorer + "\\RecentDocs", "MRUListEx");
    value(kDocFind, "a", "*.doc");
    value(kDocFind, "MRUList", "a");
    value(kFilesNamed, "a", "budget");
    value(kFilesNamed, "MRUList", "a");
    canaryValue(kSearchBar + "\\ContainingTextMRU", "a");
    value(kOpenSave, "a", "C:\\letter.doc");
    value(kOpenSave, "MRUList", "a");
    value(kOpenSave + "\\doc", "a", "C:\\letter.doc");
    canaryValue(kExplorer + "\\ComDlg32\\LastVisitedMRU", "a");
    value(kACMru + "\\5647", "000", "budget");
    value(kACMru + "\\5603", "000", "budget");  // the Search Companion Lists item's
    value(kStreams, "0", "stream");
    value(kStreams + "\\Sub", "x", "y");
    canaryValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Organizer");

    put("C:\\FILE0000.CHK", "lost chain");
    put("D:\\FILE0001.CHK", "lost");
    canaryFile("C:\\SCANDISK.LOG");
    canaryFile("C:\\FOUND.000\\FILE0002.CHK");  // below the root: not ScanDisk's

    put(kTemp + "\\a.tmp", "12345");
    put(kTemp + "\\one\\b.tmp", "1234567");
    put(kTemp + "\\kept.tmp", "hidden", platform::fileattr::Hidden);
    canaryFile("C:\\WINDOWS\\win.ini");
  }

  void seedInternetExplorer() {
    value(kIE + "\\TypedURLs", "url1", "http://news.example/");
    value(kIE + "\\TypedURLs", "url2", "http://shop.example/");
    value(kIE + "\\IntelliForms\\SPW", "site", "secret");
    value(kIE + "\\Main", "Use FormSuggest", "yes");
    canaryValue(kIE + "\\Main", "Start Page");
    value(kACMru + "\\5604", "000", "http://gone.example/");

    put(kContent + "\\AB12CD34\\index[1].htm", std::string(2048, 'h'));
    canaryFile(kContent + "\\index.dat");
    machine.urlCache.add("http://news.example/", kContent + "\\AB12CD34\\index[1].htm", platform::cacheentry::Normal,
                         2048);
    machine.urlCache.add("http://offline.example/", "C:\\WINDOWS\\Offline Web Pages\\page.htm",
                         platform::cacheentry::Normal, 100);
    canaries.push_back("cache entry http://offline.example/");

    machine.urlHistory.add("http://news.example/", "News");
    machine.urlHistory.add("http://shop.example/basket", "");

    put(kCookies + "\\index.dat", "Client UrlCache MMF Ver 5.2 cookies");
    put(kHistory + "\\index.dat", std::string(700, 'h'));
    canaryFile(kCookies + "\\user@bank.example[1].txt");
    canaryFile(kHistory + "\\desktop.ini");

    value("Identities", "Default User ID", "{ID}");
    value("Identities\\{ID}\\Software\\Microsoft\\Outlook Express\\5.0", "Store Root", kMailStore);
    put(kMailStore + "\\Deleted Items.dbx", std::string(5000, 'd'));
    canaryFile(kMailStore + "\\Inbox.dbx");

    machine.urlCache.addCookie("user@news.example", kCookies, 120);
    machine.urlCache.addCookie("user@bank.example", kCookies, 80);
    machine.urlCache.addCookie("user@shop.example", kCookies, 300);
    put(kQuellery + "\\cookies.inf", "Cookie:user@bank.example/\r\n\r\n");
    canaries.push_back("cache entry Cookie:user@bank.example/");
    canaries.push_back("file C\\Program Files\\Quellery\\cookies.inf");
  }

  void seedNetscape() {
    machine.registry.setString(LocalMachine, "Software\\Netscape\\Netscape Navigator\\Users", "CurrentUser", "default");
    machine.registry.setString(LocalMachine, "Software\\Netscape\\Netscape Navigator\\Users\\default", "DirRoot",
                               kCommunicator);
    value("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData", kAppData);
    put(kAppData + "\\Mozilla\\registry.dat", std::string("\x01\x02") + kProfile + std::string(1, '\0'));

    put(kCommunicator + "\\FieldSchema.tbl", std::string(10, 'f'));
    put(kCommunicator + "\\SchemaValue.tbl", std::string(12, 'v'));
    put(kProfile + "\\URLFieldSchema.tbl", std::string(11, 'u'));
    put(kCommunicator + "\\cache\\M0001.htm", "page");
    put(kProfile + "\\Cache\\_CACHE_001_", "blocks");
    put(kCommunicator + "\\mail\\trash", "deleted mail");
    put(kProfile + "\\Mail\\Local Folders\\Trash", "deleted mail");
    put(kProfile + "\\Mail\\Local Folders\\Trash.msf", "summary");
    put(kCommunicator + "\\netscape.hst", "visited");
    put(kProfile + "\\history.dat", std::string(300, 'h'));
    put(kProfile + "\\cookies.txt", std::string(64, 'c'));
    canaryFile(kCommunicator + "\\prefs.js");
    canaryFile(kCommunicator + "\\mail\\Inbox");
    canaryFile(kProfile + "\\prefs.js");
    canaryFile(kProfile + "\\Mail\\Local Folders\\Inbox");
  }

  void seedOpera() {
    machine.registry.setString(LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe",
                               "Path", kOperaInstall);
    put(kOperaProfile + "\\global.dat", std::string(700, 'g'));
    put(kOperaProfile + "\\opera.dir", std::string(30, 'o'));
    put(kOperaInstall + "\\Cache\\opr001.tmp", "c1");
    put(kOperaProfile + "\\cache4\\opr002.tmp", "c2");
    put(kOperaInstall + "\\cookies.dat", std::string(40, 'k'));
    put(kOperaProfile + "\\cookies4.dat", std::string(41, 'k'));
    canaryFile(kOperaProfile + "\\opera6.ini");
    canaryFile(kOperaInstall + "\\Opera.exe");
    canaryFile(kOperaInstall + "\\Cache\\sub\\inner.tmp");  // the cache is emptied, not walked
  }

  // --- The applications page: each trace with what lies beside it.
  void seedApplications() {
    machine.shell.specialFolders[28] = kLocalAppData;
    // No item may reset the user's file associations.
    canaryValue(kExplorer + "\\FileExts\\.txt\\OpenWithList", "a");
    canaryValue(kExplorer + "\\FileExts\\.doc", "Progid");

    value(kProgramsCount, "HRZR_EHACNGU:P:\\JVAQBJF\\abgrcnq.rkr", "count");
    value(kProgramsCount, "HRZR_PGYFRFFVBA", "session");
    value(kToolbarCount, "HRZR_HVFPHG", "toolbar");
    canaryValue(kUserAssist + "\\{75048700-EF1F-11D0-9888-006097DEACF9}", "Version");
    canaryValue(kUserAssist + "\\Settings", "NoLog");  // the user's choice, no GUID

    value(kMUICache, "C:\\WINDOWS\\notepad.exe", "Notepad");
    value(kMUICache, "@C:\\WINDOWS\\system32\\shell32.dll,-8964", "Recycle Bin");
    canaryValue(kMUICache, "LangID");

    value(kShellNoRoam + "\\BagMRU", "0", "pidl");
    value(kShellNoRoam + "\\BagMRU\\0", "0", "pidl");
    value(kShellNoRoam + "\\Bags\\1\\Shell", "Mode", "4");
    value(kShell + "\\BagMRU", "MRUListEx", "0");
    value(kShell + "\\Bags\\1\\Shell", "Mode", "4");
    canaryValue(kShellNoRoam, "BagMRU Size");
    canaryValue(kShellNoRoam + "\\Bags Backup", "a");

    value(kIE + "\\TypedURLsTime", "url1", "filetime");
    value(kIE + "\\TypedURLsTime", "url2", "filetime");
    canaryValue(kIE + "\\TypedURLsTime", "url1 old");

    put(kDOMStore + "\\index.dat", std::string(20, 'i'));
    put(kDOMStore + "\\QX3ZK1PA\\news.example[1].xml", std::string(30, 'x'));
    canaryFile(kLocalAppData + "\\Microsoft\\Internet Explorer\\brndlog.txt");

    value(kPlayer + "\\RecentFileList", "File0", "C:\\Music\\a.mp3");
    value(kPlayer + "\\RecentFileList", "File1", "C:\\Music\\b.wma");
    value(kPlayer + "\\RecentURLList", "URL0", "http://radio.example/live");
    canaryValue(kPlayer + "\\Settings", "Volume");

    value(kApplets + "\\Paint\\Recent File List", "File1", "C:\\Pictures\\a");
    canaryValue(kApplets + "\\Paint\\View", "BMPWidth");
    value(kApplets + "\\Wordpad\\Recent File List", "File1", "C:\\Letters\\a");
    value(kApplets + "\\Wordpad\\Recent File List", "File2", "C:\\Letters\\");
    canaryValue(kApplets + "\\Wordpad\\Recent File List Backup", "File1");
    canaryValue(kApplets + "\\Wordpad\\Options", "FrameRect");

    value(kACMru + "\\5001", "000", "cheap flights");
    canaryValue(kACMru + "\\5603 Backup", "000");
    canaryValue(kACMru, "Version");

    // Word 97 to 2003 keep every setting in one value with their list: it stays whole.
    machine.registry.set(CurrentUser, kOffice + "\\11.0\\Word\\Data", "Settings", platform::regtype::Binary,
                         {1, 2, 3, 4});
    canaries.push_back("value HKEY_CURRENT_USER\\" + kOffice + "\\11.0\\Word\\Data\\[Settings]");
    value(kOffice + "\\12.0\\Word\\File MRU", "Item 1", "[F00000000]*C:\\a.docx");
    value(kOffice + "\\12.0\\Word\\File MRU", "Item 2", "[F00000000]*C:\\b.docx");
    canaryValue(kOffice + "\\12.0\\Word\\File MRU", "Max Display");
    canaryValue(kOffice + "\\12.0\\Word\\File MRU", "Item 1 Metadata");

    value(kOffice + "\\11.0\\Excel\\Recent Files", "File1", "C:\\Sums\\a.xls");
    value(kOffice + "\\11.0\\Excel\\Recent Files", "File2", "C:\\Sums\\b.xls");
    value(kOffice + "\\8.0\\Excel\\Recent File List", "File1", "C:\\Sums\\c.xls");
    value(kOffice + "\\12.0\\Excel\\File MRU", "Item 1", "[F00000000]*C:\\d.xlsx");
    canaryValue(kOffice + "\\11.0\\Excel\\Options", "DefaultPath");
    canaryValue(kOffice + "\\Common\\Excel\\Recent Files", "File1");  // no version

    value(kOffice + "\\11.0\\PowerPoint\\Recent File List", "File1", "C:\\Talk\\a.ppt");
    value(kOffice + "\\12.0\\PowerPoint\\File MRU", "Item 1", "[F00000000]*C:\\b.pptx");
    canaryValue(kOffice + "\\11.0\\PowerPoint\\Options", "AutoRecoverPath");

    value(kOffice + "\\11.0\\Access\\Settings", "MRU1", "C:\\Data\\a.mdb");
    value(kOffice + "\\11.0\\Access\\Settings", "MRUFlags1", "0");
    value(kOffice + "\\11.0\\Access\\Settings", "MRU2", "C:\\Data\\b.mdb");
    canaryValue(kOffice + "\\11.0\\Access\\Settings", "Default Database Directory");
    canaryValue(kOffice + "\\11.0\\Access\\Settings", "MRU1x");

    value(kOffice + "\\11.0\\Publisher\\Recent File List", "File1", "C:\\News\\a.pub");
    canaryValue(kOffice + "\\11.0\\Publisher\\Preferences", "DefaultPath");

    value(kReader + "\\7.0\\AVGeneral\\cRecentFiles\\c1", "tDIText", "/C/secret.pdf");
    value(kReader + "\\7.0\\AVGeneral\\cRecentFiles\\c2", "tDIText", "/C/other.pdf");
    value(kReader + "\\9.0\\AVGeneral\\cRecentFiles\\c1", "tDIText", "/C/third.pdf");
    canaryValue(kReader + "\\7.0\\AVGeneral", "bShowSplash");
    canaryValue(kReader + "\\9.0\\AVGeneral\\cToolbars", "a");

    value(kWinRAR + "\\ArcHistory", "0", "C:\\Zips\\a.rar");
    value(kWinRAR + "\\ArcHistory", "1", "C:\\Zips\\b.rar");
    value(kWinRAR + "\\DialogEditHistory\\ArcName", "0", "a.rar");
    value(kWinRAR + "\\DialogEditHistory\\ExtrPath", "0", "C:\\Out");
    canaryValue(kWinRAR + "\\General", "ShowComments");
    canaryValue(kWinRAR + "\\DialogEditHistory\\ArcNameOld", "0");

    value(kSevenZip + "\\FM", "FolderHistory", "C:\\Zips");
    value(kSevenZip + "\\FM", "CopyHistory", "C:\\Out");
    value(kSevenZip + "\\Compression", "ArcHistory", "C:\\Zips\\a.7z");
    value(kSevenZip + "\\Extraction", "PathHistory", "C:\\Out");
    canaryValue(kSevenZip + "\\FM", "FolderShortcuts");
    canaryValue(kSevenZip + "\\FM", "PanelPath0");
    canaryValue(kSevenZip + "\\Compression", "Level");
    canaryValue(kSevenZip + "\\Extraction", "ExtractMode");

    value(kWinZip + "\\filemenu", "filemenu1", "C:\\Zips\\a.zip");
    value(kWinZip + "\\filemenu", "filemenu2", "C:\\Zips\\b.zip");
    canaryValue(kWinZip + "\\WinZip", "Name");
    canaryValue(kWinZip + "\\filemenu", "filemenu");

    put(kFlashObjects + "\\news.example\\story.sol", std::string(20, 's'));
    canaryFile(kFlashObjects + "\\" + kFlashSys + "\\settings.sol");
    canaryFile(kFlashObjects + "\\" + kFlashSys + "\\#news.example\\settings.sol");
    canaryFile(kAppData + "\\Macromedia\\Flash Player\\" + kFlashSys + "\\settings.sol");

    put(kJavaRoaming + "\\cache\\javapi\\v1.0\\jar\\applet.jar-1a2b.zip", std::string(10, 'j'));
    put(kJavaLocal + "\\cache\\6.0\\12\\3af5-1c2d", std::string(12, 'j'));
    put(kJavaLocal + "\\cache\\6.0\\12\\3af5-1c2d.idx", std::string(6, 'i'));
    canaryFile(kJavaRoaming + "\\deployment.properties");
    canaryFile(kJavaRoaming + "\\security\\trusted.certs");

    value(kRealPrefs + "\\MostRecentClips1", "", "file://C:\\a.rm");
    value(kRealPrefs + "\\MostRecentClips2", "", "file://C:\\b.rm");
    canaryValue(kRealPrefs + "\\MostRecentClipsMax", "");
    canaryValue(kRealPrefs + "\\Volume", "");
  }

  void seedProfileBrowsers() {
    put(kOpera9 + "\\global_history.dat", std::string(90, 'h'));
    put(kOpera9 + "\\typed_history.xml", std::string(91, 't'));
    put(kOpera9 + "\\vlink4.dat", std::string(92, 'v'));
    put(kOpera9 + "\\cookies4.dat", std::string(93, 'k'));
    put(kOpera9 + "\\download.dat", std::string(94, 'd'));
    put(kOpera9 + "\\sessions\\autosave.win", std::string(95, 's'));
    put(kOpera9 + "\\cache4\\g_0000\\opr003.tmp", "c3c");
    put(kOpera9 + "\\cache4\\opr004.tmp", "c4c4");
    canaryFile(kOpera9 + "\\opera6.adr");
    canaryFile(kOpera9 + "\\wand.dat");
    canaryFile(kOpera9 + "\\sessions\\saved.win");

    put(kAppData + "\\Mozilla\\Firefox\\profiles.ini",
        "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
        "Path=Profiles/w98prof.default\r\n");
    put(kFirefox2 + "\\Cache\\_CACHE_001_", "cache");
    put(kFirefox2 + "\\sessionstore.js", std::string(100, 's'));
    put(kFirefox2 + "\\history.dat", std::string(101, 'h'));
    put(kFirefox2 + "\\formhistory.dat", std::string(102, 'f'));
    put(kFirefox2 + "\\cookies.txt", std::string(103, 'c'));
    put(kFirefox2 + "\\downloads.rdf", std::string(104, 'd'));
    for (const char* kept : {"bookmarks.html", "prefs.js", "signons2.txt", "key3.db", "cert8.db", "parent.lock"})
      canaryFile(kFirefox2 + "\\" + kept);

    put(kChrome + "\\Cache\\data_0", "chrome");
    put(kChrome + "\\Current Session", std::string(110, 's'));
    put(kChrome + "\\Visited Links", std::string(111, 'v'));
    for (const char* kept : {"Bookmarks", "Login Data", "Preferences"}) canaryFile(kChrome + "\\" + kept);
    database(kChrome + "\\History",
             "CREATE TABLE urls (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, visit_count INTEGER);"
             "CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER, visit_time INTEGER);"
             "CREATE TABLE downloads (id INTEGER PRIMARY KEY, current_path LONGVARCHAR);"
             "INSERT INTO urls VALUES (1, 'http://a.example/', 'A', 1); INSERT INTO visits VALUES (1, 1, 1);"
             "INSERT INTO downloads VALUES (1, 'C:\\d.zip');");
    database(kChrome + "\\Cookies",
             "CREATE TABLE cookies (creation_utc INTEGER PRIMARY KEY, host_key TEXT, name TEXT, value TEXT, path TEXT);"
             "INSERT INTO cookies VALUES (1, '.a.example', 'sid', 'v1', '/');");
    database(kChrome + "\\Web Data",
             "CREATE TABLE autofill (name VARCHAR, value VARCHAR, value_lower VARCHAR, pair_id INTEGER PRIMARY KEY,"
             " count INTEGER); CREATE TABLE keywords (id INTEGER PRIMARY KEY, short_name VARCHAR);"
             "INSERT INTO autofill VALUES ('email', 'me@a.example', 'me@a.example', 1, 1);"
             "INSERT INTO keywords VALUES (1, 'My Search');");

    put(kSafari + "\\History.plist", std::string(120, 'h'));
    put(kSafari + "\\Cookies\\Cookies.plist", std::string(121, 'c'));
    put(kSafari + "\\Form Values", std::string(122, 'f'));
    put(kSafariCache + "\\Cache.db", "safaric");
    canaryFile(kSafari + "\\Bookmarks.plist");
  }

  // Each canary as seeded: there, with the same contents.
  void expectCanariesKept() {
    const MachineState now = byUpperName(platform::sim::captureMachine(machine));
    const MachineState then = byUpperName(seeded);
    for (const std::string& canary : canaries) {
      const std::string key = upper(canary);
      ASSERT_TRUE(then.count(key)) << canary << " was never seeded";
      const auto found = now.find(key);
      EXPECT_TRUE(found != now.end() && withoutTime(found->second) == withoutTime(then.at(key)))
          << canary << " was taken or changed";
    }
  }

  // What the owner of the clipboard or the shell would notice, which the machine does not
  // keep: a preview asks neither.
  void expectShellUntouched() {
    EXPECT_EQ(machine.shell.clipboardOwner, 0u) << "collecting opened the clipboard";
    EXPECT_TRUE(machine.shell.recycleRequests.empty()) << "collecting asked to empty a bin";
    EXPECT_EQ(machine.shell.recentDocumentsClears, 0) << "collecting cleared the recent documents";
  }

  // "verb file parameters" of each program started.
  Names started() const {
    Names out;
    for (const auto& request : machine.launcher.requests)
      out.push_back(request.verb + " " + request.file + " " + request.parameters);
    return out;
  }

  static MachineState byUpperName(const MachineState& state) {
    MachineState out;
    for (const auto& [what, detail] : state) out[upper(what)] = detail;
    return out;
  }

  Names canaries;
  MachineState seeded;
};

class EachItem : public ::testing::TestWithParam<int>, protected SeededMachine {};

TEST_P(EachItem, ThePreviewListsWhatTheRunRemovesAndLeavesTheNeighbours) {
  const int position = GetParam();
  const Expected& item = expected().at(position);
  ASSERT_EQ(engine::catalogue().at(position).caption, item.caption) << "the expectations are not in catalogue order";
  tickOnly(position);
  const erase::ItemPlan planned = collectChangingNothing();
  expectShellUntouched();
  EXPECT_FALSE(planned.targets.empty()) << "the seed reaches nothing of the item";
  EXPECT_EQ(names(planned), item.targets);
  EXPECT_EQ(planned.bytes(Outcome::Planned), item.bytes);
  EXPECT_EQ(refusals(planned), item.refusals);
  expectRunFollows(planned);
  EXPECT_EQ(started(), item.started);
  expectCanariesKept();
}

std::string testName(const ::testing::TestParamInfo<int>& info) {
  std::string name;
  for (const char* c = engine::catalogue().at(info.param).caption; *c; ++c)
    if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
  return name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EachItem, ::testing::Range(0, static_cast<int>(engine::catalogue().size())),
                         testName);

class AllItems : public ::testing::Test, protected SeededMachine {};

TEST_F(AllItems, ThePreviewListsWhatEachItemListsAloneAndTheRunRemovesTheirUnion) {
  ASSERT_EQ(expected().size(), engine::catalogue().size());
  for (engine::CleaningGroup group : engine::kGroups)
    for (ui::CheckBox& box : app.frm.itemPage(group).items) box.setValue(1);
  const erase::Plan plan = collect();
  expectShellUntouched();
  EXPECT_FALSE(plan.stopped);
  ASSERT_EQ(plan.items.size(), expected().size());
  Names shared;
  for (size_t i = 0; i < plan.items.size(); ++i) {
    EXPECT_EQ(names(plan.items[i]), expected()[i].targets) << expected()[i].caption;
    for (const erase::Target& target : plan.items[i].targets)
      if (target.outcome == Outcome::Shared) shared.push_back(target.where + ": " + target.reason);
  }
  // What an earlier item removes already is promised once.
  EXPECT_EQ(shared, (Names{kHKCU + kIE + "\\IntelliForms\\SPW: also in Clean AutoComplete Password Data",
                           kCommunicator + "\\FieldSchema.tbl: also in Clean Netscape Typed URL",
                           kCommunicator + "\\SchemaValue.tbl: also in Clean Netscape Typed URL",
                           kProfileShort + "\\URLFIE~1.TBL: also in Clean Netscape Typed URL"}));
  expectRunFollows(plan);
  EXPECT_EQ(started(), Names{"open " + kQuellery + "\\iea.exe 1"});
  expectCanariesKept();
}

}  // namespace

// End-to-end case on the real program: the applications page's items, ticked together and
// run from Start Cleaning, erase the traces seeded where Windows XP and the programs keep
// them (the current user's registry, Application Data and Local Settings\Application Data)
// and leave alone what lies beside each: the programs' settings, Flash Player's own objects,
// Java's settings and the file associations.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverSupport.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::exists;
using e2e::keyExists;
using e2e::listing;
using e2e::readString;
using e2e::setString;
using e2e::writeFile;

// The items' first lines, in catalogue order.
const char* const kItemLines[] = {"Cleaning Programs Run...",
                                  "Cleaning Program Name Cache...",
                                  "Cleaning Folder View History...",
                                  "Cleaning IE Typed Address Times...",
                                  "Cleaning IE DOM Storage...",
                                  "Cleaning Media Player Recent Lists...",
                                  "Cleaning Paint Recent Files...",
                                  "Cleaning WordPad Recent Files...",
                                  "Cleaning Search Companion Lists...",
                                  "Cleaning Word Recent Files...",
                                  "Cleaning Excel Recent Files...",
                                  "Cleaning PowerPoint Recent Files...",
                                  "Cleaning Access Recent Files...",
                                  "Cleaning Publisher Recent Files...",
                                  "Cleaning Adobe Reader Recent Files...",
                                  "Cleaning WinRAR History...",
                                  "Cleaning 7-Zip History...",
                                  "Cleaning WinZip Recent Files...",
                                  "Cleaning Flash Player Stored Objects...",
                                  "Cleaning Java Plug-in Cache...",
                                  "Cleaning RealPlayer Recent Clips..."};

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kApplets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets";
const std::string kOffice = "Software\\Microsoft\\Office";

struct Value {
  std::string key;
  const char* name;
};

// Values that go; the keys holding them stay.
const std::vector<Value> kTraceValues = {
    {kExplorer + "\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count", "HRZR_EHACNGU:P:\\abgrcnq.rkr"},
    {"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache", "C:\\qe2e\\notepad.exe"},
    {"Software\\Microsoft\\Internet Explorer\\TypedURLsTime", "url1"},
    {"Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "File0"},
    {"Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList", "URL0"},
    {kApplets + "\\Paint\\Recent File List", "File1"},
    {kApplets + "\\Wordpad\\Recent File List", "File1"},
    {kOffice + "\\12.0\\Word\\File MRU", "Item 1"},
    {kOffice + "\\11.0\\Excel\\Recent Files", "File1"},
    {kOffice + "\\12.0\\Excel\\File MRU", "Item 1"},
    {kOffice + "\\11.0\\PowerPoint\\Recent File List", "File1"},
    {kOffice + "\\11.0\\Access\\Settings", "MRU1"},
    {kOffice + "\\11.0\\Access\\Settings", "MRUFlags1"},
    {kOffice + "\\11.0\\Publisher\\Recent File List", "File1"},
    {"Software\\WinRAR\\ArcHistory", "0"},
    {"Software\\7-Zip\\FM", "FolderHistory"},
    {"Software\\7-Zip\\Compression", "ArcHistory"},
    {"Software\\7-Zip\\Extraction", "PathHistory"},
    {"Software\\Nico Mak Computing\\WinZip\\filemenu", "filemenu1"},
};
// Keys that go with everything in them.
const std::vector<std::string> kTraceKeys = {
    "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU",
    "Software\\Microsoft\\Windows\\ShellNoRoam\\Bags",
    "Software\\Microsoft\\Windows\\Shell\\BagMRU",
    "Software\\Microsoft\\Windows\\Shell\\Bags",
    "Software\\Microsoft\\Search Assistant\\ACMru\\5603",
    "Software\\Adobe\\Acrobat Reader\\8.0\\AVGeneral\\cRecentFiles",
    "Software\\WinRAR\\DialogEditHistory\\ArcName",
    "Software\\WinRAR\\DialogEditHistory\\ExtrPath",
    "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips1",
};
// Beside them, and no item's to take.
const std::vector<Value> kCanaries = {
    {kExplorer + "\\FileExts\\.qe2e\\OpenWithList", "a"},
    {kExplorer + "\\UserAssist\\Settings", "NoLog"},
    {"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache", "LangID"},
    {"Software\\Microsoft\\Windows\\ShellNoRoam", "BagMRU Size"},
    {kApplets + "\\Wordpad\\Recent File List Backup", "File1"},
    {kOffice + "\\11.0\\Word\\Data", "Settings"},
    {kOffice + "\\12.0\\Word\\File MRU", "Max Display"},
    {kOffice + "\\11.0\\Access\\Settings", "Default Database Directory"},
    {"Software\\Adobe\\Acrobat Reader\\8.0\\AVGeneral", "bShowSplash"},
    {"Software\\7-Zip\\FM", "FolderShortcuts"},
    {"Software\\7-Zip\\Compression", "Level"},
    {"Software\\Nico Mak Computing\\WinZip\\WinZip", "Name"},
    {"Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\Volume", "qe2e"},
};

std::string parentOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

// Every folder of the path, from its drive down.
using e2e::makeFolders;

}  // namespace

TEST(ApplicationItems, TheItemsEraseEveryTraceAndKeepWhatLiesBesideIt) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  ASSERT_EQ(FindWindowA(nullptr, e2e::kCaption), nullptr) << "another Quellery is running";
  const std::string appData = e2e::shellFolder(CSIDL_APPDATA);
  const std::string localAppData = e2e::shellFolder(CSIDL_LOCAL_APPDATA);
  ASSERT_FALSE(appData.empty());
  ASSERT_FALSE(localAppData.empty());

  for (const Value& v : kTraceValues) ASSERT_TRUE(setString(HKEY_CURRENT_USER, v.key, v.name, "trace")) << v.key;
  for (const std::string& key : kTraceKeys) ASSERT_TRUE(setString(HKEY_CURRENT_USER, key + "\\0", "a", "trace")) << key;
  for (const Value& v : kCanaries) ASSERT_TRUE(setString(HKEY_CURRENT_USER, v.key, v.name, "stays")) << v.key;

  const std::string domStore = localAppData + "\\Microsoft\\Internet Explorer\\DOMStore";
  const std::string flash = appData + "\\Macromedia\\Flash Player\\#SharedObjects\\QE2E0001";
  const std::string flashSys = flash + "\\macromedia.com\\support\\flashplayer\\sys";
  const std::string javaRoaming = appData + "\\Sun\\Java\\Deployment";
  const std::string javaLocal = localAppData + "\\Sun\\Java\\Deployment";
  const std::vector<std::string> traceFiles = {domStore + "\\QE2E0001\\news.example[1].xml",
                                               flash + "\\news.example\\story.sol",
                                               javaRoaming + "\\cache\\javapi\\v1.0\\jar\\applet.zip",
                                               javaLocal + "\\cache\\6.0\\12\\3af5-1c2d.idx"};
  const std::vector<std::string> keptFiles = {flashSys + "\\settings.sol", javaRoaming + "\\deployment.properties",
                                              localAppData + "\\Microsoft\\Internet Explorer\\qe2e-beside.txt"};
  for (const std::vector<std::string>* files : {&traceFiles, &keptFiles})
    for (const std::string& file : *files) {
      makeFolders(parentOf(file));
      ASSERT_TRUE(writeFile(file, "data")) << file;
    }

  e2e::Program program;
  ASSERT_TRUE(program.start(exePath));
  std::vector<int> all;
  for (int i = 0; i < 21; ++i) all.push_back(i);
  if (!e2e::tickOnly(program, "chkAPsettings", all)) {
    program.terminate();
    return;
  }
  std::vector<std::string> lines;
  const bool ended = e2e::runToEnd(program, &lines);
  program.terminate();
  EXPECT_TRUE(ended) << "the run did not end within " << e2e::kRunDeadlineMs / 1000 << " s\n" << listing(lines);
  EXPECT_EQ(e2e::runLines({std::begin(kItemLines), std::end(kItemLines)}), lines) << listing(lines);

  for (const Value& v : kTraceValues) {
    EXPECT_EQ("(missing)", readString(HKEY_CURRENT_USER, v.key, v.name)) << v.key << "\\" << v.name;
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, v.key)) << v.key << ": the list's key goes with its settings";
  }
  for (const std::string& key : kTraceKeys) EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, key)) << key;
  for (const Value& v : kCanaries) EXPECT_EQ("stays", readString(HKEY_CURRENT_USER, v.key, v.name)) << v.key;
  for (const std::string& file : traceFiles) EXPECT_FALSE(exists(file)) << file;
  EXPECT_FALSE(exists(flash + "\\news.example")) << "the site's emptied folder";
  for (const std::string& file : keptFiles) EXPECT_TRUE(exists(file)) << file;
  EXPECT_TRUE(exists(domStore)) << "the emptied folder itself stays";

  // What this case leaves behind.
  for (const Value& v : kCanaries) SHDeleteValueA(HKEY_CURRENT_USER, v.key.c_str(), v.name);
  e2e::deleteKeyTree(HKEY_CURRENT_USER, kExplorer + "\\FileExts\\.qe2e");
  for (const std::string& file : keptFiles) DeleteFileA(file.c_str());
}

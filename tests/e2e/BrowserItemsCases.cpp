// End-to-end case on the real program: the six Netscape and three Opera items, ticked alone
// and run from Start Cleaning, erase a Communicator 4 user folder named in the registry, the
// Mozilla profiles below the user's profile folder, the cookies of the profiles Mozilla's
// registry.dat names, and an Opera 7 profile and installation; the files beside each of
// them stay, mail folders named like pieces of the items' name lists too. The Communicator
// folder lies in the user's profile; Opera's installation, which the machine-wide registry
// names, in Program Files: where Windows keeps users apart, it may be another user's and stays.
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

using e2e::Program;
using e2e::setString;

const char* const kUsersKey = "Software\\Netscape\\Netscape Navigator\\Users";
const char* const kNavigatorKey = "Software\\Netscape\\Netscape Navigator";
const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kOperaAppPath = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe";
const std::string kOperaInstall = "C:\\Program Files\\Opera";

using e2e::exists;
using e2e::shellFolder;

// Creates the folder and every missing folder above it.
using e2e::makeFolders;

// Writes the file, with every missing folder above it.
bool put(const std::string& path, const std::string& text = "trace") {
  makeFolders(path.substr(0, path.rfind('\\')));
  return e2e::writeFile(path, text);
}

}  // namespace

TEST(BrowserItems, TheNineItemsEraseEveryTargetAndSpareWhatLiesBesideIt) {
  const std::string exePath = e2e::programPath();
  ASSERT_FALSE(exePath.empty()) << "the driver needs the path of Quellery.exe";
  ASSERT_EQ(FindWindowA(nullptr, e2e::kCaption), nullptr) << "another Quellery is running";
  const std::string profile = shellFolder(CSIDL_PROFILE), appData = shellFolder(CSIDL_APPDATA);
  ASSERT_FALSE(profile.empty());
  ASSERT_FALSE(appData.empty());
  if (e2e::readString(HKEY_CURRENT_USER, kShellFolders, "AppData") == "(missing)") {
    ASSERT_TRUE(setString(HKEY_CURRENT_USER, kShellFolders, "AppData", appData));
  }
  const std::string mozilla = e2e::readString(HKEY_CURRENT_USER, kShellFolders, "AppData") + "\\Mozilla\\";
  const std::string netscape = profile + "\\Netscape", userFolder = netscape + "\\Users\\default";
  const bool usersKeptApart = (GetVersion() & 0x80000000u) == 0;

  std::vector<std::string> gone, kept, emptied;

  // --- Communicator 4: user "default", named machine-wide and beside the install folder
  ASSERT_TRUE(setString(HKEY_LOCAL_MACHINE, kUsersKey, "CurrentUser", "default"));
  ASSERT_TRUE(setString(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\default", "DirRoot", userFolder));
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    ASSERT_TRUE(setString(root, std::string(kNavigatorKey) + "\\biff", "CurrentUser", "default"));
    ASSERT_TRUE(setString(root, std::string(kNavigatorKey) + "\\Main", "Install Directory",
                          netscape + "\\Communicator"));
  }
  for (const char* name : {"FieldSchema.tbl", "SchemaConcat.tbl", "SchemaValue.tbl", "URLFieldSchema.tbl",
                           "netscape.hst", "netscape", "mail\\trash", "mail\\trash.nsm", "cache\\M0A1B2C3.htm",
                           "cache\\sub\\M0D4E5F6.gif"})
    gone.push_back(userFolder + "\\" + name);
  for (const char* name : {"bookmarks.html", "prefs.js", "key3.db", "cookies.txt", "mail\\Inbox", "mail\\Sent"})
    kept.push_back(userFolder + "\\" + name);
  kept.push_back(netscape + "\\Communicator\\Program\\netscape.exe");
  emptied.push_back(userFolder + "\\cache");

  // --- a Mozilla profile below the profile folder, found by the searches
  const std::string profiles = profile + "\\Application Data\\Mozilla\\Profiles";
  const std::string slt = profiles + "\\default\\ab12cd34.slt", mail = slt + "\\Mail\\pop.example.com";
  for (const std::string& path : {slt + "\\history.dat", slt + "\\FieldSchema.tbl", slt + "\\URLFieldSchema.tbl",
                                  mail + "\\Trash", mail + "\\Trash.msf", slt + "\\Cache\\_CACHE_001_",
                                  slt + "\\Cache\\sub\\0A1B2C3D", slt + "\\Mail\\Local Folders\\Trash",
                                  slt + "\\Mail\\Local Folders\\Trash.msf"})
    gone.push_back(path);
  for (const std::string& path : {slt + "\\bookmarks.html", slt + "\\prefs.js", slt + "\\key3.db",
                                  mail + "\\Inbox", mail + "\\Inbox.msf", profiles + "\\registry.bak",
                                  profiles + "\\ash"})
    kept.push_back(path);
  // Mail folders of the user's, each a file named after the folder: pieces of the items'
  // name lists, never whole names in them.
  for (const char* folder : {"History", "Net", "Story", "Ash", "Schema", "Fields", "URL", "Value"}) {
    kept.push_back(slt + "\\Mail\\Local Folders\\" + folder);
    kept.push_back(slt + "\\Mail\\Local Folders\\" + folder + ".msf");
  }
  emptied.push_back(slt + "\\Cache");

  // --- profiles named in Mozilla's registry.dat: one with a cache loses its cookies
  const std::string withCache = mozilla + "Profiles\\default\\ef56gh78.slt";
  const std::string withoutCache = mozilla + "Profiles\\old\\ij90kl12.slt";
  gone.push_back(withCache + "\\cookies.txt");
  kept.push_back(withCache + "\\cookies.txt.bak");
  kept.push_back(withoutCache + "\\cookies.txt");
  const std::string registryDat = std::string("\x76\x44\x00\x01\x00\x00\x00\x80", 8) + withCache +
                                  std::string("\x00\x10\x00\x00", 4) + "directory" + std::string(1, '\0') +
                                  withoutCache + std::string(1, '\0');
  kept.push_back(mozilla + "registry.dat");

  // --- Opera 7's profile and an older installation folder
  ASSERT_TRUE(setString(HKEY_LOCAL_MACHINE, kOperaAppPath, "Path", kOperaInstall));
  const std::string opera7 = appData + "\\Opera\\OPERA7\\profile";
  for (const std::string& path : {opera7 + "\\global.dat", opera7 + "\\opera.dir", opera7 + "\\cookies4.dat",
                                  opera7 + "\\cache4\\opr00001.tmp", opera7 + "\\cache4\\opr00002.tmp"})
    gone.push_back(path);
  for (const std::string& path : {kOperaInstall + "\\Cache\\opr00003.tmp", kOperaInstall + "\\cookies.dat"})
    (usersKeptApart ? kept : gone).push_back(path);
  for (const std::string& path : {opera7 + "\\opera6.ini", opera7 + "\\opera6.adr", opera7 + "\\cache4\\sub\\keep.tmp",
                                  kOperaInstall + "\\opera.exe", kOperaInstall + "\\opera6.ini",
                                  kOperaInstall + "\\Cache\\sub\\keep.tmp"})
    kept.push_back(path);

  for (const std::string& path : gone) ASSERT_TRUE(put(path)) << path;
  for (const std::string& path : kept) ASSERT_TRUE(put(path)) << path;
  ASSERT_TRUE(put(mozilla + "registry.dat", registryDat));
  makeFolders(withCache + "\\Cache");

  Program program;
  ASSERT_TRUE(program.start(exePath));
  std::vector<e2e::Tick> ticks;
  for (int i = 0; i < 6; ++i) ticks.push_back({"chkNSsettings", i});
  for (int i = 0; i < 3; ++i) ticks.push_back({"chkOPsettings", i});
  if (!e2e::tickOnly(program, ticks)) {
    program.terminate();
    return;
  }
  std::vector<std::string> lines;
  const bool ended = e2e::runToEnd(program, &lines);
  program.terminate();
  EXPECT_TRUE(ended) << "the run did not end within " << e2e::kRunDeadlineMs / 1000 << " s";

  std::vector<std::string> expected;
  for (const char* item : {"Cleaning Netscape Typed URL...", "Cleaning Netscape Cache...",
                           "Cleaning Netscape Mail History...", "Cleaning Netscape History...",
                           "Cleaning Netscape Cookies...", "Cleaning Netscape AutoComplete Form...",
                           "Cleaning Opera Typed URL..."})
    expected.insert(expected.end(), {item, "Done...", e2e::kLongBlank});
  // Opera's cache and cookie items close with a single blank.
  for (const char* item : {"Cleaning Opera Cache...", "Cleaning Opera Cookies..."})
    expected.insert(expected.end(),
                    {item, usersKeptApart ? "Done, but left 1: 1 folder of every user" : "Done...", " "});
  expected.insert(expected.end(), {" ", " ", " ", "Cleaning Is Done.", " "});
  expected.insert(expected.end(), std::begin(e2e::kReady), std::end(e2e::kReady));
  e2e::expectLines("the list after the run", expected, lines);

  for (const std::string& path : gone) EXPECT_FALSE(exists(path)) << path << " is still there";
  for (const std::string& path : kept) EXPECT_TRUE(exists(path)) << path << " was erased";
  for (const std::string& folder : emptied) EXPECT_TRUE(exists(folder)) << folder << " itself was removed";
  EXPECT_FALSE(exists(userFolder + "\\cache\\sub")) << "a cache's sub-folder stays";
  EXPECT_FALSE(exists(slt + "\\Cache\\sub")) << "a cache's sub-folder stays";

  // What this case leaves behind in the registry; its files stay in the throwaway prefix.
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Netscape");
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Netscape");
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, kOperaAppPath);
}

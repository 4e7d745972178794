#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <utility>
#include <vector>

#include "TestApp.h"
#include "clean/TempFolderGuard.h"
#include "clean/WindowsItems.h"
#include "erase/ActivityLog.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "platform/NameCase.h"

namespace {

using Entry = std::pair<std::string, std::string>;

class TempFolderGuard : public ::testing::Test, protected TestApp {
 protected:
  void SetUp() override {
    for (const char* drive : {"/D", "/E", "/F"}) ::mkdir((machine.files.hostRoot() + drive).c_str(), 0755);
    erase::setActivityObserver([this](const std::string& e, const std::string& t) { log.emplace_back(e, t); });
    machine.shell.specialFolders[5] = "C:\\Documents and Settings\\User\\My Documents";
    machine.shell.specialFolders[0x26] = "C:\\Program Files";
    machine.shell.windowsDir = "E:\\OS";
    machine.shell.systemDir = "E:\\OS\\SYS32";
    machine.system.programDir = "D:\\Tools\\Quellery";
    for (const char* folder : {"C:\\Documents and Settings\\User\\My Documents", "C:\\Program Files\\Quellery",
                               "C:\\WINDOWS\\SYSTEM32", "C:\\WINNT", "F:\\WINNT", "D:\\Tools\\Quellery", "E:\\OS\\SYS32"})
      machine.files.makeFolders(folder);
  }
  void TearDown() override { erase::setActivityObserver(nullptr); }

  // Points TEMP at `temp`, puts a file in the folder it names and empties TEMP.
  bool survives(const std::string& temp, const std::string& folder) {
    const std::string file = erase::AddBackslash(folder) + "precious.txt";
    machine.files.writeFile(file, "x");
    machine.system.temp = temp;
    log.clear();
    clean::CleanWindTemp(app.run());
    return machine.files.getAttributes(file) != platform::fileattr::Invalid;
  }

  std::vector<Entry> log;
};

TEST_F(TempFolderGuard, PathsAreResolvedAsWindowsResolvesThem) {
  EXPECT_EQ(erase::NormaliseFolderPath("c:\\Temp\\.\\x\\.."), "C:\\Temp\\");
  EXPECT_EQ(erase::NormaliseFolderPath("  C:/TEMP//sub\\  "), "C:\\TEMP\\sub\\");
  EXPECT_EQ(erase::NormaliseFolderPath("C:\\WINDOWS.\\"), "C:\\WINDOWS\\");
  EXPECT_EQ(erase::NormaliseFolderPath("C:\\WINDOWS. "), "C:\\WINDOWS\\");
  // Windows keeps a blank that ends an inner name, and all but one of its trailing dots.
  EXPECT_EQ(erase::NormaliseFolderPath("C:\\Temp \\x"), "C:\\Temp \\x\\");
  EXPECT_EQ(erase::NormaliseFolderPath("C:\\Temp..\\x"), "C:\\Temp.\\x\\");
  EXPECT_EQ(erase::NormaliseFolderPath("C:\\..\\..\\"), "C:\\");
  EXPECT_EQ(erase::NormaliseFolderPath("\\\\srv\\share\\tmp\\..\\"), "\\\\srv\\share\\");
  for (const char* notAbsolute : {"", "   ", "TEMP", "C:", "C:TEMP", "\\TEMP", "\\\\?\\C:\\TEMP", "\\\\srv"})
    EXPECT_EQ(erase::NormaliseFolderPath(notAbsolute), "") << notAbsolute;
}

TEST_F(TempFolderGuard, DangerousTempFoldersStayUntouchedAndAreLoggedAsTerminated) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      // temp as reported, the folder that would have been emptied
      {"C:\\", "C:"},
      {"c:", "C:"},
      {"C:\\.", "C:"},
      {"C:\\TEMP\\..", "C:"},
      {"C:/", "C:"},
      {"D:\\", "D:"},
      {"C:\\WINDOWS", "C:\\WINDOWS"},
      {"c:\\windows\\", "C:\\WINDOWS"},
      {"C:\\WINDOWS\\SYSTEM32\\", "C:\\WINDOWS\\SYSTEM32"},
      {"C:\\winnt", "C:\\WINNT"},
      {"F:\\WINNT\\", "F:\\WINNT"},
      {"e:\\os", "E:\\OS"},
      {"E:\\OS\\SYS32\\", "E:\\OS\\SYS32"},
      {"C:\\Documents and Settings\\User", "C:\\Documents and Settings\\User"},
      {"C:\\DOCUMENTS AND SETTINGS\\", "C:\\Documents and Settings"},
      {"C:\\Documents and Settings\\User\\My Documents\\", "C:\\Documents and Settings\\User\\My Documents"},
      {"C:\\Program Files", "C:\\Program Files"},
      {"C:\\PROGRA~1\\", "C:\\Program Files"},
      {"C:\\Program Files\\Quellery\\..", "C:\\Program Files"},
      {"d:\\tools\\quellery\\", "D:\\Tools\\Quellery"},
      {"D:\\Tools", "D:\\Tools"},
      {"", "D:\\Tools\\Quellery"},
      {"TEMP", "D:\\Tools\\Quellery"},
  };
  for (const auto& [temp, folder] : cases) {
    EXPECT_TRUE(survives(temp, folder)) << "TEMP=" << temp;
    EXPECT_EQ(log, (std::vector<Entry>{{"Windows Temporary Files", "Terminated"}})) << "TEMP=" << temp;
  }
}

TEST_F(TempFolderGuard, ProgramFilesNamedOnlyInTheRegistryIsGuardedToo) {
  machine.shell.specialFolders.erase(0x26);  // Windows 95 and 98 have no shell id for it
  machine.registry.setString(platform::hkey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                             "ProgramFilesDir", "C:\\Program Files");
  EXPECT_TRUE(survives("C:\\Program Files\\", "C:\\Program Files"));
}

TEST_F(TempFolderGuard, AShellFolderEitherLookupAloneAnswersIsGuarded) {
  const std::string documents = "C:\\Documents and Settings\\User\\My Documents";
  // Windows 95 without shfolder.dll: only the older lookup knows My Documents.
  machine.shell.missingFromFolderPath.insert(5);
  EXPECT_TRUE(survives(documents + "\\", documents));
  // A shell too old for an id that shfolder.dll answers.
  machine.shell.missingFromFolderPath.clear();
  machine.shell.missingFromLocation.insert(5);
  EXPECT_TRUE(survives(documents + "\\", documents));
}

// File ids decide where they can be read; a kept folder whose id cannot be read is still
// met by its 8.3 name.
TEST_F(TempFolderGuard, AKeptFolderWhoseIdCannotBeReadIsMetByItsShortName) {
  const std::string documents = "C:\\Documents and Settings\\User\\My Documents";
  std::string shortName;
  ASSERT_EQ(0, machine.files.getShortPathName(documents, &shortName));
  ASSERT_NE(platform::upperCased(shortName), platform::upperCased(documents));
  machine.files.identityRefused.insert(platform::upperCased(documents));
  EXPECT_TRUE(survives(shortName + "\\", documents));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), (Entry{"Windows Temporary Files", "Terminated"}));
}

TEST_F(TempFolderGuard, ATempFolderThatIsALinkIsNotFollowed) {
  machine.files.makeFolders("D:\\Data");
  ASSERT_EQ(0, machine.files.makeLink("C:\\Temp", machine.files.hostPath("D:\\")));
  EXPECT_TRUE(survives("C:\\Temp\\", "D:\\Data"));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), (Entry{"Windows Temporary Files", "Terminated"}));
}

TEST_F(TempFolderGuard, OrdinaryTempFoldersInsideGuardedOnesAreEmptied) {
  for (const char* temp : {"C:\\WINDOWS\\TEMP\\", "C:\\Documents and Settings\\User\\Local Settings\\Temp",
                           "E:\\OS\\TEMP", "D:\\Tools\\Quellery\\scratch\\"}) {
    machine.files.makeFolders(temp);
    EXPECT_FALSE(survives(temp, temp)) << temp;
    EXPECT_NE(machine.files.getAttributes(temp), platform::fileattr::Invalid) << temp;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().first, "Windows Temporary Files Cleared") << temp;
  }
}

TEST_F(TempFolderGuard, SharesDevicePathsAndAliasesOfGuardedFoldersAreRefused) {
  machine.files.makeFolders("C:\\WINDOWS\\Fonts");
  machine.files.substitute('X', "C:\\WINDOWS");
  // A drive that Windows does not report as substituted but that shows the same folder,
  // as a mapped alias does: only the folder's identity gives it away.
  ASSERT_EQ(0, ::symlink(machine.files.hostPath("E:\\OS").c_str(), (machine.files.hostRoot() + "/Y").c_str()));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\\\\localhost\\C$\\Documents and Settings\\", "C:\\Documents and Settings"},
      {"\\\\127.0.0.1\\C$\\TEMP\\", "C:\\Documents and Settings"},
      {"\\\\?\\C:\\Documents and Settings\\", "C:\\Documents and Settings"},
      {"\\\\.\\C:\\Documents and Settings\\", "C:\\Documents and Settings"},
      {"X:\\SYSTEM32", "C:\\WINDOWS\\SYSTEM32"},
      {"x:\\fonts\\", "C:\\WINDOWS\\Fonts"},
      {"Y:\\SYS32", "E:\\OS\\SYS32"},
  };
  for (const auto& [temp, folder] : cases) {
    EXPECT_TRUE(survives(temp, folder)) << "TEMP=" << temp;
    ASSERT_FALSE(log.empty()) << "TEMP=" << temp;
    EXPECT_EQ(log.back(), (Entry{"Windows Temporary Files", "Terminated"})) << "TEMP=" << temp;
  }
}

// Windows 95, 98 and ME tell no file ids, and a drive aliased without being reported as
// substituted still leads into guarded folders.
TEST_F(TempFolderGuard, WithoutFileIdsAnAliasIsStillSeenAndNoMarkerStaysBehind) {
  machine.files.fileIdsKnown = false;
  machine.files.makeFolders("E:\\OS\\guard");
  machine.files.makeFolders("E:\\OS\\TEMP\\work");
  machine.files.makeFolders("C:\\Documents and Settings\\User\\My Documents\\Letters");
  ASSERT_EQ(0, ::symlink(machine.files.hostPath("E:\\OS").c_str(), (machine.files.hostRoot() + "/Y").c_str()));
  ASSERT_EQ(0, ::symlink(machine.files.hostPath("C:\\Documents and Settings").c_str(),
                         (machine.files.hostRoot() + "/Z").c_str()));
  auto markers = [&](const std::string& folder) {
    std::vector<platform::FindData> found;
    machine.files.findFiles(folder + "\\~qyguard*", &found);
    return found.size();
  };
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"Y:\\SYS32", "E:\\OS\\SYS32"},                 // the system folder
      {"Y:\\guard\\", "E:\\OS\\guard"},               // inside Windows
      {"Z:\\User\\My Documents", "C:\\Documents and Settings\\User\\My Documents"},  // a shell folder
      {"Z:\\User", "C:\\Documents and Settings\\User"},  // a profile
  };
  for (const auto& [temp, folder] : refused) {
    EXPECT_TRUE(survives(temp, folder)) << "TEMP=" << temp;
    ASSERT_FALSE(log.empty()) << "TEMP=" << temp;
    EXPECT_EQ(log.back(), (Entry{"Windows Temporary Files", "Terminated"})) << "TEMP=" << temp;
    EXPECT_EQ(markers(folder), 0u) << "a marker left in " << folder;
  }
  // A file of the marker's name is the user's: it stays, and with no way to tell aliases
  // apart the folder is left whole.
  machine.files.makeFolders("C:\\Scratch");
  machine.system.processId = 77;
  ASSERT_EQ(0, machine.files.writeFile("C:\\Scratch\\~qyguard77.tmp", "mine"));
  EXPECT_TRUE(survives("C:\\Scratch", "C:\\Scratch")) << "TEMP=C:\\Scratch";
  std::string kept;
  machine.files.readFile("C:\\Scratch\\~qyguard77.tmp", &kept);
  EXPECT_EQ(kept, "mine");
  // Windows' own Temp through the alias, and a folder of the user's documents, may go.
  for (const auto& [temp, folder] : std::vector<std::pair<std::string, std::string>>{
           {"Y:\\TEMP\\work", "E:\\OS\\TEMP\\work"},
           {"Z:\\User\\My Documents\\Letters\\", "C:\\Documents and Settings\\User\\My Documents\\Letters"}}) {
    EXPECT_FALSE(survives(temp, folder)) << "TEMP=" << temp;
    ASSERT_FALSE(log.empty()) << "TEMP=" << temp;
    EXPECT_EQ(log.back().first, "Windows Temporary Files Cleared") << "TEMP=" << temp;
    EXPECT_EQ(markers(folder), 0u) << "a marker left in " << folder;
  }
}

TEST_F(TempFolderGuard, ShellFoldersProfilesAndWindowsFoldersAreRefusedAndSoIsWhatHoldsThem) {
  const std::vector<std::pair<int, std::string>> shellFolders = {
      {0x10, "C:\\Documents and Settings\\User\\Desktop"},
      {0x0b, "C:\\Documents and Settings\\User\\Start Menu"},
      {0x02, "C:\\Documents and Settings\\User\\Start Menu\\Programs"},
      {0x07, "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup"},
      {0x06, "C:\\Documents and Settings\\User\\Favorites"},
      {0x1a, "C:\\Documents and Settings\\User\\Application Data"},
      {0x22, "C:\\Documents and Settings\\User\\Local Settings\\History"},
      {0x19, "C:\\Documents and Settings\\All Users\\Desktop"},
      {0x14, "C:\\WINDOWS\\Fonts"},
      {0x28, "C:\\Documents and Settings\\User"},
  };
  for (const auto& [csidl, folder] : shellFolders) {
    machine.shell.specialFolders[csidl] = folder;
    machine.files.makeFolders(folder);
  }
  for (const char* folder : {"C:\\Documents and Settings\\Other\\Stuff", "C:\\WINDOWS\\SYSTEM32\\DRIVERS",
                             "C:\\WINDOWS\\Desktop", "E:\\OS\\Web"})
    machine.files.makeFolders(folder);
  for (const char* temp : {
           "C:\\Documents and Settings\\User\\Desktop\\", "C:\\DOCUME~1\\User\\STARTM~1",
           "C:\\Documents and Settings\\User\\Start Menu\\Programs",
           "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup",
           "C:\\Documents and Settings\\User\\Favorites", "C:\\Documents and Settings\\User\\Application Data",
           "C:\\Documents and Settings\\User\\Local Settings",  // holds History
           "C:\\Documents and Settings\\All Users", "C:\\Documents and Settings\\All Users\\Desktop",
           "C:\\Documents and Settings\\Other",  // another user's profile
           "C:\\WINDOWS\\Fonts", "C:\\WINDOWS\\SYSTEM32\\DRIVERS", "C:\\WINDOWS\\Desktop", "E:\\OS\\Web"}) {
    machine.files.makeFolders(temp);
    EXPECT_TRUE(survives(temp, temp)) << "TEMP=" << temp;
  }
  // The ordinary temp folders beside them are still emptied.
  for (const char* temp : {"C:\\Documents and Settings\\User\\Local Settings\\Temp", "C:\\WINDOWS\\Temp\\Sub"}) {
    machine.files.makeFolders(temp);
    EXPECT_FALSE(survives(temp, temp)) << "TEMP=" << temp;
  }
}

TEST_F(TempFolderGuard, AFolderSwappedForALinkWhileTheWalkYieldsIsNotFollowed) {
  machine.files.makeFolders("C:\\Temp\\a");
  machine.files.makeFolders("D:\\Outside");
  machine.files.writeFile("C:\\Temp\\0 first.txt", "x");
  machine.files.writeFile("C:\\Temp\\a\\junk.txt", "x");
  machine.files.writeFile("D:\\Outside\\canary.txt", "alive");
  machine.system.temp = "C:\\Temp\\";
  // Once the temp folder is listed and its first file gone, "a" becomes a junction to D:.
  long swapped = -1, rootSwap = -1;
  std::function<void()> attacker = [&] {
    if (machine.files.getAttributes("C:\\Temp\\0 first.txt") != platform::fileattr::Invalid) {
      machine.loop.at(now() + 1, attacker);
      return;
    }
    swapped = machine.files.swapForLink("C:\\Temp\\a", machine.files.hostPath("D:\\Outside"));
    // The folder being walked is held: it cannot be swapped at all.
    rootSwap = machine.files.swapForLink("C:\\Temp", machine.files.hostPath("D:\\Outside"));
  };
  machine.loop.at(now() + 1, attacker);
  clean::CleanWindTemp(app.run());
  ASSERT_EQ(0, swapped);
  EXPECT_EQ(32, rootSwap) << "a sharing violation";
  EXPECT_NE(machine.files.getAttributes("D:\\Outside\\canary.txt"), platform::fileattr::Invalid);
}

}  // namespace

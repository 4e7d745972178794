#include <gtest/gtest.h>
#include <sys/stat.h>

#include <utility>
#include <vector>

#include "TestApp.h"
#include "clean/TempFolderGuard.h"
#include "clean/WindowsItems.h"
#include "erase/ActivityLog.h"
#include "erase/PathChecks.h"

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
    clean::CleanWindTemp(app);
    return machine.files.getAttributes(file) != platform::fileattr::Invalid;
  }

  std::vector<Entry> log;
};

TEST_F(TempFolderGuard, PathsAreResolvedAsWindowsResolvesThem) {
  EXPECT_EQ(clean::NormaliseFolderPath("c:\\Temp\\.\\x\\.."), "C:\\Temp\\");
  EXPECT_EQ(clean::NormaliseFolderPath("  C:/TEMP//sub\\  "), "C:\\TEMP\\sub\\");
  EXPECT_EQ(clean::NormaliseFolderPath("C:\\WINDOWS.\\"), "C:\\WINDOWS\\");
  EXPECT_EQ(clean::NormaliseFolderPath("C:\\..\\..\\"), "C:\\");
  EXPECT_EQ(clean::NormaliseFolderPath("\\\\srv\\share\\tmp\\..\\"), "\\\\srv\\share\\");
  for (const char* notAbsolute : {"", "   ", "TEMP", "C:", "C:TEMP", "\\TEMP", "\\\\?\\C:\\TEMP", "\\\\srv"})
    EXPECT_EQ(clean::NormaliseFolderPath(notAbsolute), "") << notAbsolute;
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

TEST_F(TempFolderGuard, ATempFolderThatIsALinkIsNotFollowed) {
  machine.files.makeFolders("D:\\Data");
  ASSERT_EQ(0, machine.files.makeLink("C:\\Temp", machine.files.hostPath("D:\\")));
  EXPECT_TRUE(survives("C:\\Temp\\", "D:\\Data"));
  EXPECT_EQ(log, (std::vector<Entry>{{"Windows Temporary Files", "Terminated"}}));
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

}  // namespace

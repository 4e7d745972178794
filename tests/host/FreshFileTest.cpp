// Files the program replaces (reports, the keep list, the shred list, WININIT.INI) are
// written as new files and put in place: a link or a second name of someone else's file,
// left where the program writes by whoever can write that folder, is never written through.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestApp.h"
#include "platform/FreshFile.h"
#include "program/CommandLine.h"
#include "program/CommandLineRun.h"
#include "settings/SettingsStore.h"

namespace {

using platform::fileattr::Invalid;

class FreshFile : public ::testing::Test, protected TestApp {
 protected:
  platform::sim::SimFileSystem& fs = machine.files;
  void SetUp() override {
    fs.makeFolders("C:\\WINDOWS\\TEMP");
    fs.makeFolders("C:\\Reports");
    ASSERT_EQ(0, fs.writeFile("C:\\WINDOWS\\SYSTEM.INI", "[boot]"));
  }
  std::string read(const std::string& path) {
    std::string text;
    return fs.readFile(path, &text) == 0 ? text : "(no file)";
  }
  std::string hostFile(const std::string& name, const std::string& data) {
    const std::string path = machine.hostRoot + "/" + name;
    std::ofstream(path) << data;
    return path;
  }
  std::string hostRead(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

// An administrator's logon-script clean writes its report into a folder a limited user can
// write: the user's hard link at "r.txt.new" and link at "r.txt" lead nowhere.
TEST_F(FreshFile, AReportGoesInPlaceWithoutWritingThroughWhatAnotherUserLeftThere) {
  machine.system.temp = "C:\\WINDOWS\\TEMP\\";
  ASSERT_EQ(0, fs.writeFile("C:\\WINDOWS\\TEMP\\planted.tmp", "x"));
  settings::SaveSetting(machine.registry, "Quellery", "LastHistory", "chkWinSettings7", "1");
  ASSERT_EQ(0, fs.makeHardLink("C:\\Reports\\r.txt.new", "C:\\WINDOWS\\SYSTEM.INI"));
  const std::string winIni = hostFile("win.ini", "[windows]");
  ASSERT_EQ(0, fs.makeLink("C:\\Reports\\r.txt", winIni));

  EXPECT_EQ(0, program::RunCommandLine(app, program::parseCommandLine("/clean /report:C:\\Reports\\r.txt")));
  EXPECT_EQ("[boot]", read("C:\\WINDOWS\\SYSTEM.INI"));
  EXPECT_EQ("[boot]", read("C:\\Reports\\r.txt.new")) << "someone's own file of that name stays";
  EXPECT_EQ("[windows]", hostRead(winIni));
  EXPECT_EQ(0u, fs.getAttributes("C:\\Reports\\r.txt") & platform::fileattr::ReparsePoint) << "the link was replaced";
  EXPECT_NE(std::string::npos, read("C:\\Reports\\r.txt").find("planted.tmp"));
}

TEST_F(FreshFile, AnOldFileThatCannotBeReplacedStaysWholeAndNothingIsLeftBeside) {
  const std::string list = "C:\\Reports\\cookies.inf";
  ASSERT_EQ(0, fs.writeFile(list, "kept"));
  fs.lock(list);  // another program has it open
  EXPECT_NE(0, platform::ReplaceWithNewFile(fs, list, "new"));
  fs.unlock(list);
  EXPECT_EQ("kept", read(list));

  fs.limitWrites(2);
  EXPECT_NE(0, platform::ReplaceWithNewFile(fs, list, "a longer list"));
  EXPECT_EQ("kept", read(list));
  fs.limitWrites(static_cast<size_t>(-1));
  EXPECT_EQ(Invalid, fs.getAttributes(list + ".new"));

  EXPECT_NE(0, platform::ReplaceWithNewFile(fs, "C:\\Missing\\cookies.inf", "x"));
  EXPECT_EQ(0, platform::ReplaceWithNewFile(fs, list, "new"));
  EXPECT_EQ("new", read(list));
  EXPECT_EQ(Invalid, fs.getAttributes(list + ".new"));
}

}  // namespace

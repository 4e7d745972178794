// End-to-end cases on the real program: emptying the temp folder never reaches what the
// user did not choose, whatever TEMP names, and a link inside the temp folder is not
// followed; ScanDisk's ".chk" files are told from names that only look like them in 8.3.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../win32/UnixTools.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::Program;

const char* const kTempLine = "Cleaning Windows Temp File Folder...";

using e2e::exists;

std::string shellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? path : "";
}

// TMP and TEMP as the program will find them, for the programs started meanwhile.
class TempVariables {
 public:
  explicit TempVariables(const std::string& temp) {
    for (const char* name : {"TMP", "TEMP"}) {
      char old[MAX_PATH] = {};
      saved_.push_back(GetEnvironmentVariableA(name, old, MAX_PATH) ? old : "");
      SetEnvironmentVariableA(name, temp.c_str());
    }
  }
  ~TempVariables() {
    SetEnvironmentVariableA("TMP", saved_[0].empty() ? nullptr : saved_[0].c_str());
    SetEnvironmentVariableA("TEMP", saved_[1].empty() ? nullptr : saved_[1].c_str());
  }

 private:
  std::vector<std::string> saved_;
};

// Starts the program, runs "Clean Windows Temp File Folder" alone and checks the list: the
// item's closing line says whether it did its work, refused it, or left something.
void runTempItem(const std::string& what, const std::string& closing) {
  Program program;
  ASSERT_TRUE(program.start(e2e::programPath())) << what;
  ASSERT_TRUE(e2e::tickOnly(program, "chkWinSettings", {7})) << what;
  std::vector<std::string> lines;
  EXPECT_TRUE(e2e::runToEnd(program, &lines)) << what << "\n" << e2e::listing(lines);
  std::vector<std::string> expected = e2e::runLines({kTempLine});
  expected[1] = closing;
  EXPECT_EQ(expected, lines) << what << "\n" << e2e::listing(lines);
  program.terminate();
}

// The folder that Windows' own folder would be under a drive letter aliased to it.
bool aliasDrive(char letter, const std::string& folder) {
  const std::string cDrive = winetest::unixPath("C:\\");
  const size_t at = cDrive.find("/dosdevices/");
  if (at == std::string::npos) return false;
  const std::string link = cDrive.substr(0, at) + "/dosdevices/" + std::string(1, letter) + ":";
  return winetest::runUnix("ln", "-sfn \"" + winetest::unixPath(folder) + "\" \"" + link + "\"") &&
         winetest::waitFor([&] { return exists(std::string(1, letter) + ":\\"); });
}

}  // namespace

TEST(Safety, ATempFolderNamingAShellFolderWindowsAnAliasOrAShareIsLeftWhole) {
  const std::string windows = shellFolder(CSIDL_WINDOWS);
  const std::string desktop = shellFolder(CSIDL_DESKTOPDIRECTORY);
  ASSERT_FALSE(windows.empty());
  ASSERT_FALSE(desktop.empty());
  const std::string aliased = windows + "\\qe2e-guard";
  CreateDirectoryA(aliased.c_str(), nullptr);
  CreateDirectoryA("C:\\qe2e-share", nullptr);
  ASSERT_TRUE(aliasDrive('x', windows)) << "no drive X: aliased to " << windows;

  struct Case {
    std::string temp;     // what TEMP names
    std::string folder;   // the folder it reaches
    std::string refusal;  // what the run says in place of "Done..."
  };
  const std::string own = "Skipped: the temp folder is one of your own folders";
  const std::string inWindows = "Skipped: the temp folder lies inside Windows";
  const std::string remote = "Skipped: the temp folder is a link or a network folder";
  const std::vector<Case> cases = {
      {desktop, desktop, own},
      {windows + "\\Fonts", windows + "\\Fonts", inWindows},
      {"X:\\qe2e-guard", aliased, inWindows},
      {"\\\\127.0.0.1\\C$\\qe2e-share", "C:\\qe2e-share", remote},
      {"\\\\localhost\\C$\\qe2e-share\\", "C:\\qe2e-share", remote},
  };
  for (const Case& c : cases) {
    const std::string precious = c.folder + "\\qe2e-precious.txt";
    ASSERT_TRUE(e2e::writeFile(precious, "the user's")) << precious;
    {
      TempVariables temp(c.temp);
      runTempItem("TEMP=" + c.temp, c.refusal);
    }
    EXPECT_TRUE(exists(precious)) << "TEMP=" << c.temp << " erased " << precious;
    DeleteFileA(precious.c_str());
  }
  EXPECT_TRUE(exists(windows + "\\Fonts\\tahoma.ttf")) << "the fonts are still there";
  // The same run with TEMP naming an ordinary folder empties it: TEMP did reach the program.
  CreateDirectoryA("C:\\qe2e-plain-temp", nullptr);
  ASSERT_TRUE(e2e::writeFile("C:\\qe2e-plain-temp\\trace.tmp", "trace"));
  {
    TempVariables temp("C:\\qe2e-plain-temp");
    runTempItem("TEMP=C:\\qe2e-plain-temp", "Done...");
  }
  EXPECT_FALSE(exists("C:\\qe2e-plain-temp\\trace.tmp"));
  RemoveDirectoryA("C:\\qe2e-plain-temp");
  RemoveDirectoryA(aliased.c_str());
  RemoveDirectoryA("C:\\qe2e-share");
}

TEST(Safety, TheRealTempFolderIsEmptiedButALinkInsideItIsNotFollowed) {
  char buffer[MAX_PATH] = {};
  ASSERT_GT(GetTempPathA(MAX_PATH, buffer), 0u);
  const std::string temp = buffer;
  const std::string outside = "C:\\qe2e-outside";
  CreateDirectoryA(outside.c_str(), nullptr);
  ASSERT_TRUE(e2e::writeFile(outside + "\\canary.txt", "alive"));
  ASSERT_TRUE(e2e::writeFile(temp + "qe2e-trace.tmp", "trace"));
  const std::string link = temp + "qe2e-link";
  ASSERT_TRUE(winetest::runUnix("ln", "-sfn \"" + winetest::unixPath(outside) + "\" \"" +
                                          winetest::unixPath(temp) + "/qe2e-link\""));
  ASSERT_TRUE(winetest::waitFor([&] { return exists(link + "\\canary.txt"); }));

  // The link is left, and counted.
  runTempItem("the real temp folder", "Done, but left 1: 1 link");
  EXPECT_FALSE(exists(temp + "qe2e-trace.tmp"));
  EXPECT_TRUE(exists(outside + "\\canary.txt")) << "the walk went through the link";

  winetest::runUnix("rm", "-f \"" + winetest::unixPath(temp) + "/qe2e-link\"");
  winetest::waitFor([&] { return !exists(link); });
  DeleteFileA((outside + "\\canary.txt").c_str());
  RemoveDirectoryA(outside.c_str());
}

// End-to-end case of a file acted on through one handle: "Clean Locked Index.dat" blanks a
// plain index.dat and leaves alone one that is a second name of another file.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../win32/UnixTools.h"
#include "RunSupport.h"
#include "Seeding.h"

namespace {

using e2e::exists;
using e2e::Program;

std::string folderOf(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path))) return {};
  return path;
}

// A second name for `existing`, made from the Unix side as another program could.
bool hardLink(const std::string& existing, const std::string& folder, const std::string& name) {
  return winetest::runUnix("ln", "-f \"" + winetest::unixPath(existing) + "\" \"" + winetest::unixPath(folder) + "/" +
                                     name + "\"") &&
         e2e::waitUntil([&] { return exists(folder + "\\" + name); }, 10000);
}

const int kLockedIndexDat = 6;  // the tick of "Clean Locked Index.dat **"

}  // namespace

TEST(HeldFileE2E, AHardLinkNamedIndexDatLeavesTheOtherNamesDataWhole) {
  const std::string cookies = folderOf(CSIDL_COOKIES), history = folderOf(CSIDL_HISTORY);
  ASSERT_FALSE(cookies.empty());
  ASSERT_FALSE(history.empty());
  CreateDirectoryA("C:\\IndexCase", nullptr);
  const std::string other = "C:\\IndexCase\\letter.txt";
  const std::string letter = "a letter that is no cache index";
  ASSERT_TRUE(e2e::writeFile(other, letter));
  DeleteFileA((cookies + "\\index.dat").c_str());
  ASSERT_TRUE(hardLink(other, cookies, "index.dat"));
  ASSERT_TRUE(e2e::writeFile(history + "\\index.dat", "visited pages"));

  Program program;
  if (!program.start(e2e::programPath())) return;
  ASSERT_TRUE(e2e::tickOnly(program, "chkIEsettings", {kLockedIndexDat}));
  std::vector<std::string> lines;
  EXPECT_TRUE(e2e::runToEnd(program, &lines)) << e2e::listing(lines);
  program.terminate();
  EXPECT_EQ(e2e::readFile(other), letter) << "blanked through a second name";
  EXPECT_EQ(e2e::readFile(history + "\\index.dat"), std::string(13, ' ')) << "the plain index.dat";
  DeleteFileA((cookies + "\\index.dat").c_str());
}

#include <gtest/gtest.h>

#include "TestApp.h"
#include "erase/modCleanItem.h"

using namespace platform;

namespace {

class Lookup : public ::testing::Test, protected TestApp {
 protected:
  void file(const std::string& path) {
    fs.makeFolders(path.substr(0, path.find_last_of('\\')));
    fs.writeFile(path, "x");
  }
  sim::SimFileSystem& fs = machine.files;
  sim::SimRegistry& reg = machine.registry;
};

TEST_F(Lookup, ExistenceTests) {
  file("C:\\Dir\\plain.txt");
  fs.makeFolders("C:\\Dir\\Hidden");
  fs.setAttributes("C:\\Dir\\Hidden", fileattr::Hidden);
  EXPECT_TRUE(erase::FolderExists(app.run(), "C:\\Dir"));
  EXPECT_TRUE(erase::FolderExists(app.run(), "C:\\Dir\\"));
  EXPECT_TRUE(erase::FolderExists(app.run(), "C:\\Dir\\plain.txt"));  // a plain file passes the folder listing
  EXPECT_FALSE(erase::FolderExists(app.run(), "C:\\Dir\\Hidden"));
  EXPECT_FALSE(erase::FolderExists(app.run(), "C:\\Nothing"));
  EXPECT_TRUE(erase::FileExists(app.run(), "c:\\dir\\PLAIN.TXT"));
  EXPECT_FALSE(erase::FileExists(app.run(), "C:\\Dir"));
  EXPECT_TRUE(erase::CanOpenFile(app.run(), "C:\\Dir\\plain.txt"));
  fs.lock("C:\\Dir\\plain.txt");
  EXPECT_FALSE(erase::CanOpenFile(app.run(), "C:\\Dir\\plain.txt"));
  EXPECT_FALSE(erase::CanOpenFile(app.run(), "C:\\Dir\\none.txt"));
  EXPECT_EQ(erase::AddBackslash("C:\\x"), "C:\\x\\");
  EXPECT_EQ(erase::AddBackslash("C:\\x\\"), "C:\\x\\");

  const uint64_t before = machine.loop.dispatchCount();
  EXPECT_TRUE(erase::IsInList(app.run(), {".", "..", "Cache"}, "  Cache "));
  EXPECT_EQ(machine.loop.dispatchCount() - before, 2u);
  EXPECT_FALSE(erase::IsInList(app.run(), {"cache"}, "Cache"));
}

TEST_F(Lookup, FileSearchMatchesWholeNamesOfTheListDeeperFilesFirstAsShortPaths) {
  file("C:\\Prof\\netscape.hst");
  file("C:\\Prof\\Long User Name\\history.dat");
  file("C:\\Prof\\Long User Name\\Deep\\NETSCAPE.HST");
  // Pieces of the list text, a name running across the blank, and a name whose 8.3 alias
  // (HISTOR~1.DAT) shares a piece with the list.
  for (const char* kept : {"cape.hst", "history", "hst", "dat history", "t h", "history.data", "other.txt"})
    file(std::string("C:\\Prof\\b\\") + kept);
  std::vector<std::string> found{""};  // the caller's placeholder
  erase::FindFilesByName(app.run(), "C:\\Prof", "netscape.hst history.dat", found);
  EXPECT_EQ(found, (std::vector<std::string>{"", "C:\\Prof\\LONGUS~1\\Deep\\NETSCAPE.HST",
                                             "C:\\Prof\\LONGUS~1\\history.dat", "C:\\Prof\\netscape.hst"}));
  std::vector<std::string> blanks;
  erase::FindFilesByName(app.run(), "C:\\Prof", "   ", blanks);
  EXPECT_TRUE(blanks.empty());
  std::vector<std::string> none;
  erase::FindFilesByName(app.run(), "C:\\Missing", "x", none);
  EXPECT_TRUE(none.empty());
}

// Windows reads "abc." as "abc": a path rebuilt from the listed name would lead through
// the junction "abc" beside it.
TEST_F(Lookup, TheSearchGoesIntoTheFolderListedAndNeverThroughItsTwin) {
  file("C:\\Outside\\history.dat");
  fs.makeFolders("C:\\Prof");
  ASSERT_EQ(fs.makeLink("C:\\Prof\\abc", fs.hostPath("C:\\Outside")), 0);
  ASSERT_EQ(fs.createDirectory("\\\\?\\C:\\Prof\\abc."), 0);
  ASSERT_EQ(fs.writeFile("\\\\?\\C:\\Prof\\abc.\\history.dat", "in the profile"), 0);
  ASSERT_EQ(fs.createDirectory("\\\\?\\C:\\Prof\\abc.\\cache"), 0);
  std::vector<std::string> found;
  erase::FindFilesByName(app.run(), "C:\\Prof", "history.dat", found);
  EXPECT_EQ(found, (std::vector<std::string>{"C:\\Prof\\ABC~1\\history.dat"}));
  std::vector<std::string> folders;
  erase::FindFoldersByName(app.run(), "C:\\Prof", "cache", folders);
  EXPECT_EQ(folders, (std::vector<std::string>{"C:\\Prof\\ABC~1\\cache"}));
  for (const std::string& path : found) fs.deleteFile(path);
  EXPECT_NE(fs.getAttributes("C:\\Outside\\history.dat"), fileattr::Invalid);
}

TEST_F(Lookup, FolderSearchFindsMatchesInsideMatches) {
  fs.makeFolders("C:\\Moz\\Profiles\\abc.default\\Cache\\cache");
  fs.makeFolders("C:\\Moz\\Other\\CACHE");
  std::vector<std::string> found;
  erase::FindFoldersByName(app.run(), "C:\\Moz\\", "Cache", found);
  EXPECT_EQ(found, (std::vector<std::string>{"C:\\Moz\\Other\\CACHE", "C:\\Moz\\Profiles\\ABC~1.DEF\\Cache",
                                             "C:\\Moz\\Profiles\\ABC~1.DEF\\Cache\\cache"}));
}

TEST_F(Lookup, RegistryUtilities) {
  reg.set(hkey::CurrentUser, "Software\\R", "plain", regtype::String, {'a', 'b', 0, 'z'});
  reg.set(hkey::CurrentUser, "Software\\R", "expand", regtype::ExpandString, {'%', 'x', '%', 0});
  EXPECT_EQ(erase::ReadRegString(app.run(), hkey::CurrentUser, "Software\\R", "plain"), "ab");
  EXPECT_EQ(erase::ReadRegString(app.run(), hkey::CurrentUser, "Software\\R", "expand"), "");
  EXPECT_EQ(erase::ReadRegString(app.run(), hkey::CurrentUser, "Software\\None", "plain"), "");

  erase::WriteRegValue(app.run(), hkey::CurrentUser, "Software\\New\\Key", "zero", "0", regtype::String);
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(reg.get(hkey::CurrentUser, "Software\\New\\Key", "zero", &type, &bytes));
  EXPECT_EQ(type, regtype::String);
  EXPECT_EQ(bytes, std::vector<uint8_t>{'0'});
  erase::WriteRegValue(app.run(), hkey::CurrentUser, "Software\\New\\Key", "bin", std::string("a\0b", 3),
                       regtype::Binary);
  ASSERT_TRUE(reg.get(hkey::CurrentUser, "Software\\New\\Key", "bin", &type, &bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{'a', 0, 'b'}));
  erase::WriteRegValue(app.run(), hkey::CurrentUser, "Software\\New\\Key", "dword", "1", regtype::DWord);
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\New\\Key", "dword"));

  // Opening with full access fails: the key is created, and failing that, made the old way.
  reg.makeUnopenable(hkey::CurrentUser, "Software\\Shut");
  erase::WriteRegValue(app.run(), hkey::CurrentUser, "Software\\Shut", "v", "1", regtype::String);
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\Shut", "v"));

  erase::DeleteRegValue(app.run(), hkey::CurrentUser, "Software\\New\\Key", "zero");
  EXPECT_FALSE(reg.exists(hkey::CurrentUser, "Software\\New\\Key", "zero"));
  EXPECT_EQ(reg.openHandles(), 0u);

  reg.setString(hkey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe", "Path",
                "C:\\Program Files\\Opera");
  EXPECT_EQ(erase::GetOperaPath(app.run()), "C:\\Program Files\\Opera");
}

TEST_F(Lookup, ShellAndTempFolders) {
  EXPECT_EQ(erase::GetInternetCacheFolder(app.run()), machine.shell.specialFolders[32]);
  EXPECT_EQ(erase::GetSpecialFolder(app.run(), 33), machine.shell.specialFolders[33]);
  EXPECT_EQ(erase::GetFolderClean(app.run(), 0, 99), "");
  EXPECT_EQ(erase::GetSpecialFolder(app.run(), 99), "");
  machine.system.temp = std::string("C:\\TEMP\\\0junk", 12);
  EXPECT_EQ(erase::GetTempFolder(app.run()), "C:\\TEMP\\");
}

}  // namespace

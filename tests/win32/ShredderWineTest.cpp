// The shredder's file-system calls and ShredFile on Wine's real file system, in throwaway
// folders under the temp folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "WinePlatform.h"
#include "shredder/ShredFile.h"

using namespace winetest;

namespace {

std::string contentOf(const std::string& path) {
  std::string data;
  platform::win32::Win32FileSystem().readFile(path, &data);
  return data;
}

int entriesIn(const std::string& folder) {
  int n = 0;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::string name = fd.cFileName;
    n += name != "." && name != "..";
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

}  // namespace

TEST(FileWritesWine, InPlaceWriteCutRenameAndIdentity) {
  WinePlatform w;
  ScratchFolder scratch("q12-writes");
  const std::string file = scratch.path() + "\\digits.txt";
  writeFile(file, "0123456789");
  EXPECT_EQ(w.files.writeAt(file, 2, "ab", true), 0);
  EXPECT_EQ(contentOf(file), "01ab456789");
  EXPECT_NE(w.files.writeAt(scratch.path() + "\\missing.txt", 0, "x", true), 0);
  EXPECT_FALSE(exists(scratch.path() + "\\missing.txt")) << "a write in place creates nothing";
  EXPECT_EQ(w.files.setFileLength(file, 3), 0);
  EXPECT_EQ(contentOf(file), "01a");

  platform::FileIdentity identity;
  uint64_t size = 0;
  ASSERT_EQ(w.files.fileInformation(file, &identity, &size), 0);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(identity.links, 1u);

  writeFile(scratch.path() + "\\taken.txt", "other");
  EXPECT_NE(w.files.moveFile(file, scratch.path() + "\\taken.txt"), 0);
  EXPECT_EQ(contentOf(scratch.path() + "\\taken.txt"), "other") << "a rename never replaces";
  EXPECT_EQ(w.files.moveFile(file, scratch.path() + "\\ZZZZZZZZZZ"), 0);
  EXPECT_EQ(contentOf(scratch.path() + "\\ZZZZZZZZZZ"), "01a");

  EXPECT_TRUE(w.files.logicalDrives() & (1u << 2)) << "drive C:";
}

TEST(ShredFileWine, ShredsAFileAndRefusesOneWithASecondName) {
  WinePlatform w;
  ScratchFolder scratch("q12-shred");
  const std::string secret = scratch.path() + "\\secret report.doc";
  writeFile(secret, std::string(100000, 'S'));
  EXPECT_TRUE(shredder::ShredFile(w.app, secret, 400));
  EXPECT_EQ(entriesIn(scratch.path()), 0) << "neither the file nor a renamed leftover";

  const std::string twice = scratch.path() + "\\twice.txt";
  const std::string other = scratch.path() + "\\other.txt";
  writeFile(twice, "two names");
  ASSERT_TRUE(runUnix("ln", "\"" + unixPath(twice) + "\" \"" + unixPath(scratch.path()) + "/other.txt\""));
  ASSERT_TRUE(waitFor([&] { return exists(other); }));
  EXPECT_FALSE(shredder::ShredFile(w.app, twice, 400));
  EXPECT_EQ(contentOf(twice), "two names");
  EXPECT_EQ(contentOf(other), "two names");
}

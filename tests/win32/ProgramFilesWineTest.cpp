// The program's files as the upgrade holds and moves them, on the real Windows layer: a
// held file keeps writers, deleters and renamers out but not readers, and a new file
// is moved over an existing one.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "WinePlatform.h"
#include "platform/WinError.h"
#include "platform/win32/Win32ProgramFiles.h"

using namespace winetest;

TEST(ProgramFilesWine, AHeldFileKeepsWritersDeletersAndRenamersOut) {
  platform::win32::Win32ProgramFiles programs;
  const std::string folder = tempFolder() + "quellery-program-files-test";
  removeTree(folder);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string copy = folder + "\\qy.exe";
  long error = -1;
  {
    std::unique_ptr<platform::HeldFile> held = programs.writeAndHold(copy, "the checked bytes", &error);
    ASSERT_TRUE(held) << error;
    EXPECT_EQ("the checked bytes", held->data());

    HANDLE writer = CreateFileA(copy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    EXPECT_FALSE(DeleteFileA(copy.c_str()));
    EXPECT_FALSE(MoveFileA(copy.c_str(), (folder + "\\moved.exe").c_str()));
    HANDLE reader = CreateFileA(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, reader) << "a reader is let in";
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);

    // A file already there is another's: it is not written.
    EXPECT_FALSE(programs.writeAndHold(copy, "other bytes", &error));
    EXPECT_EQ(platform::winerr::FileExists, error);
  }
  // Let go, the file is anybody's again.
  EXPECT_TRUE(DeleteFileA(copy.c_str()));
  removeTree(folder);
}

TEST(ProgramFilesWine, ANewFileIsMovedOverTheProgramAndAHeldOneReadsAtMostOneByteTooMany) {
  WinePlatform w;
  platform::win32::Win32ProgramFiles programs;
  const std::string folder = tempFolder() + "quellery-program-move-test";
  removeTree(folder);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string program = folder + "\\Quellery.exe", fresh = folder + "\\Quellery.new";
  ASSERT_EQ(platform::winerr::Success, w.files.writeFile(program, "old build, longer"));
  ASSERT_EQ(platform::winerr::Success, w.files.writeFile(fresh, "new build"));

  EXPECT_EQ(platform::winerr::Success, programs.moveReplacing(fresh, program));
  EXPECT_FALSE(exists(fresh));
  long error = -1;
  std::unique_ptr<platform::HeldFile> held = programs.hold(program, 3, &error);
  ASSERT_TRUE(held) << error;
  EXPECT_EQ("new ", held->data());
  held.reset();
  EXPECT_NE(platform::winerr::Success, programs.rename(folder + "\\missing.exe", program));
  removeTree(folder);
}

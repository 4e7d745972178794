// Overwriting before removal on the NT family under Wine: the file opened relative to the
// held folder's handle, written through that handle and deleted through it, and a file
// with a second name removed without a byte of that name's data touched.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "WinePlatform.h"
#include "erase/FolderWalk.h"
#include "platform/OpenFile.h"
#include "platform/win32/NtApi.h"

using namespace winetest;

namespace {

std::string contentOf(const std::string& path) {
  std::string data;
  platform::win32::Win32FileSystem().readFile(path, &data);
  return data;
}

bool heldByAnother(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
}

// A second name for `existing`, as CreateHardLinkA makes it, or from the Unix side.
bool makeHardLink(const std::string& existing, const std::string& link) {
  if (CreateHardLinkA(link.c_str(), existing.c_str(), nullptr)) return true;
  const size_t slash = link.find_last_of('\\');
  return runUnix("ln", "\"" + unixPath(existing) + "\" \"" + unixPath(link.substr(0, slash)) + "/" +
                           link.substr(slash + 1) + "\"") &&
         waitFor([&] { return exists(link); });
}

erase::LeftBehind walk(WinePlatform& w, const std::string& folder, int passes) {
  platform::FileIdentity identity;
  std::unique_ptr<platform::HeldFolder> held = w.files.holdFolder(folder, &identity);
  EXPECT_TRUE(held) << folder;
  if (!held) return {};
  w.app.flags.overwritePasses = passes;
  const erase::LeftBehind left = erase::WalkHeldFolder(w.app.run(), *held, folder + "\\", erase::WalkRules());
  w.app.flags.overwritePasses = 0;
  return left;
}

}  // namespace

TEST(OverwriteWine, AChildFileOpenedRelativeToTheHeldFolderIsWrittenThroughAndSharedWithNobody) {
  ASSERT_TRUE(platform::win32::nt::api().complete());
  WinePlatform w;
  ScratchFolder scratch("qow-child");
  writeFile(scratch.path() + "\\digits.txt", "0123456789");
  platform::FileIdentity identity;
  std::unique_ptr<platform::HeldFolder> held = w.files.holdFolder(scratch.path(), &identity);
  ASSERT_TRUE(held);
  long error = -1;
  std::unique_ptr<platform::OpenFile> file = held->openChildFile("digits.txt", &error);
  ASSERT_TRUE(file) << "error " << error;
  EXPECT_EQ(file->identity().links, 1u);
  EXPECT_TRUE(heldByAnother(scratch.path() + "\\digits.txt"));
  EXPECT_EQ(file->writeAt(0, "ab"), 0);
  EXPECT_EQ(file->flush(), 0);
  file.reset();
  EXPECT_EQ(contentOf(scratch.path() + "\\digits.txt"), "ab23456789");
}

TEST(OverwriteWine, AWalkOverwritesThroughTheHandleAndASecondNameKeepsItsBytes) {
  WinePlatform w;
  ScratchFolder scratch("qow-walk");
  ScratchFolder outside("qow-outside");
  const std::string secret = scratch.path() + "\\secret.txt";
  const std::string witness = outside.path() + "\\witness.txt";
  writeFile(secret, std::string(200000, 'S'));
  writeFile(outside.path() + "\\other.txt", "two names");
  const bool linked = makeHardLink(outside.path() + "\\other.txt", scratch.path() + "\\twice.txt");
  std::printf("[wine] a second name made by CreateHardLinkA or ln: %s\n", linked ? "yes" : "no");
  ASSERT_TRUE(linked);

  // While the walk holds secret.txt, a name is added from the Unix side to the data it
  // writes: once the walk has deleted its own name, that name shows what the disk kept.
  bool witnessed = false;
  w.loop.onYield = [&] {
    if (witnessed || !exists(secret) || !heldByAnother(secret)) return;
    witnessed = runUnix("ln", "\"" + unixPath(secret) + "\" \"" + unixPath(outside.path()) + "/witness.txt\"") &&
                waitFor([&] { return exists(witness); });
  };
  const erase::LeftBehind left = walk(w, scratch.path(), 1);
  w.loop.onYield = nullptr;

  EXPECT_FALSE(exists(secret));
  EXPECT_FALSE(exists(scratch.path() + "\\twice.txt"));
  EXPECT_EQ(contentOf(outside.path() + "\\other.txt"), "two names");
  EXPECT_EQ(left.total(), 0u) << left.describe();
  EXPECT_EQ(w.app.flags.leftBehind.notOverwritten, 1u) << "the file with a second name";
  ASSERT_TRUE(witnessed) << "no yield came while the file was held";
  const std::string kept = contentOf(witness);
  EXPECT_EQ(kept.size(), 200000u);
  EXPECT_EQ(kept.find('S'), std::string::npos) << "old bytes left where the file was";
}

TEST(OverwriteWine, TimeToOverwriteAgainstAPlainDeletion) {
  WinePlatform w;
  constexpr int kFiles = 16;
  const std::string megabyte(1 << 20, 'M');
  double seconds[2] = {};
  for (int passes : {0, 1}) {
    ScratchFolder scratch("qow-time");
    for (int i = 0; i < kFiles; ++i) writeFile(scratch.path() + "\\f" + std::to_string(i) + ".bin", megabyte);
    const DWORD start = GetTickCount();
    const erase::LeftBehind left = walk(w, scratch.path(), passes);
    seconds[passes] = (GetTickCount() - start) / 1000.0;
    EXPECT_EQ(left.total(), 0u) << left.describe();
  }
  std::printf("[wine] %d MB in %d files: plain deletion %.2f s, one pass then deletion %.2f s\n", kFiles, kFiles,
              seconds[0], seconds[1]);
}

// The erasure and search primitives on Wine's real file system, in throwaway folders
// under the temp folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WinePlatform.h"
#include "erase/WalkRules.h"
#include "erase/modCleanItem.h"
#include "platform/FreshFile.h"

using namespace winetest;

namespace {

int countExisting(const std::vector<std::string>& paths) {
  int n = 0;
  for (const auto& p : paths) n += exists(p);
  return n;
}

// Watches the activity log for the length of a test.
struct LogWatch {
  std::vector<std::string> entries;
  LogWatch() {
    erase::setActivityObserver([this](const std::string& e, const std::string&) { entries.push_back(e); });
  }
  ~LogWatch() { erase::setActivityObserver(nullptr); }
  bool mentions(const std::string& text) const {
    for (const auto& e : entries)
      if (e.find(text) != std::string::npos) return true;
    return false;
  }
};

}  // namespace

TEST(EraseFolderWine, TwoLevelTreeUnderEachFlagCombination) {
  struct Case {
    bool removeThis, removeSubs;
    bool rootStays, levelOneStays, levelTwoStays;
  };
  const Case cases[] = {
      {false, false, true, true, true},
      {false, true, true, false, false},
      // Sub-folders kept, so the folder itself is not empty and stays.
      {true, false, true, true, true},
      {true, true, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("removeThis=") + (c.removeThis ? "1" : "0") + " removeSubs=" + (c.removeSubs ? "1" : "0"));
    WinePlatform w;
    ScratchFolder scratch("q3-tree");
    const std::string root = scratch.path();
    CreateDirectoryA((root + "\\one").c_str(), nullptr);
    CreateDirectoryA((root + "\\one\\two").c_str(), nullptr);
    const std::vector<std::string> files = {root + "\\a.txt", root + "\\b.dat", root + "\\one\\c.txt",
                                            root + "\\one\\two\\d.txt"};
    for (const auto& f : files) writeFile(f);
    ASSERT_EQ(4, countExisting(files));

    std::string path = root;
    erase::EraseFolder(w.app.run(), path, c.removeThis, c.removeSubs);
    EXPECT_EQ(root + "\\", path);
    EXPECT_EQ(0, countExisting(files));
    EXPECT_EQ(c.rootStays, exists(root));
    EXPECT_EQ(c.levelOneStays, exists(root + "\\one"));
    EXPECT_EQ(c.levelTwoStays, exists(root + "\\one\\two"));
  }
}

TEST(EraseFolderWine, HiddenAndSystemEntriesSurviveButAMaskTakesHiddenFiles) {
  WinePlatform w;
  ScratchFolder scratch("q3-hidden");
  const std::string root = scratch.path();
  writeFile(root + "\\plain.txt");
  writeFile(root + "\\hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  writeFile(root + "\\system.txt", "s", FILE_ATTRIBUTE_SYSTEM);
  CreateDirectoryA((root + "\\hiddensub").c_str(), nullptr);
  writeFile(root + "\\hiddensub\\inner.txt");
  SetFileAttributesA((root + "\\hiddensub").c_str(), FILE_ATTRIBUTE_HIDDEN);
  if (!(GetFileAttributesA((root + "\\hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN) ||
      !(GetFileAttributesA((root + "\\system.txt").c_str()) & FILE_ATTRIBUTE_SYSTEM))
    GTEST_SKIP() << "this file system keeps no DOS attributes";

  std::string path = root;
  erase::EraseFolder(w.app.run(), path, true, true);
  EXPECT_FALSE(exists(root + "\\plain.txt"));
  EXPECT_TRUE(exists(root + "\\hidden.txt"));
  EXPECT_TRUE(exists(root + "\\system.txt"));
  EXPECT_TRUE(exists(root + "\\hiddensub\\inner.txt"));
  EXPECT_TRUE(exists(root));

  erase::EraseMatchingFiles(w.app.run(), root + "\\*.txt");
  EXPECT_FALSE(exists(root + "\\hidden.txt"));
  EXPECT_TRUE(exists(root + "\\system.txt"));
  EXPECT_TRUE(exists(root + "\\hiddensub\\inner.txt"));
}

TEST(EraseFolderWine, AbortDuringTheWalkStopsAfterTheCurrentFile) {
  WinePlatform w;
  ScratchFolder scratch("q3-abort");
  const std::string root = scratch.path();
  std::vector<std::string> files;
  for (int i = 0; i < 6; ++i) files.push_back(root + "\\f" + std::to_string(i) + ".txt");
  for (const auto& f : files) writeFile(f);
  CreateDirectoryA((root + "\\sub").c_str(), nullptr);
  files.push_back(root + "\\sub\\g.txt");
  writeFile(files.back());

  // Stop Clean pressed while the window gets its turn, right after the first file went.
  int yieldsAfterStop = 0;
  w.loop.onYield = [&] {
    if (w.app.flags.abort) ++yieldsAfterStop;
    else if (countExisting(files) < static_cast<int>(files.size())) w.app.flags.abort = true;
  };
  std::string path = root;
  erase::EraseFolder(w.app.run(), path, true, true);
  w.loop.onYield = nullptr;
  EXPECT_TRUE(w.app.flags.abort);
  EXPECT_EQ(static_cast<int>(files.size()) - 1, countExisting(files));
  EXPECT_TRUE(exists(root));
  EXPECT_LE(yieldsAfterStop, 1);
}

TEST(EraseFolderWine, ALockedFileStaysAndItsSiblingsGo) {
  WinePlatform w;
  ScratchFolder scratch("q3-locked");
  const std::string root = scratch.path();
  const std::string locked = root + "\\locked.txt";
  writeFile(locked);
  const std::vector<std::string> siblings = {root + "\\a.txt", root + "\\z.txt", root + "\\sub\\b.txt"};
  CreateDirectoryA((root + "\\sub").c_str(), nullptr);
  for (const auto& f : siblings) writeFile(f);
  HANDLE h = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);

  LogWatch log;
  std::string path = root;
  erase::EraseFolder(w.app.run(), path, true, true);
  CloseHandle(h);
  EXPECT_TRUE(exists(locked));
  EXPECT_TRUE(log.mentions(locked));
  EXPECT_EQ(0, countExisting(siblings));
  EXPECT_FALSE(exists(root + "\\sub"));
  EXPECT_TRUE(exists(root));
}

TEST(EraseFolderWine, AFileLetGoOfDuringTheWalkIsGoneAtTheEnd) {
  WinePlatform w;
  ScratchFolder scratch("q3-released");
  const std::string root = scratch.path();
  const std::string locked = root + "\\held.txt";
  writeFile(locked);
  CreateDirectoryA((root + "\\sub").c_str(), nullptr);
  const std::string inner = root + "\\sub\\inner.txt";
  writeFile(inner);
  HANDLE h = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);

  // The program holding the file lets go of it once the sub-folder was walked.
  w.loop.onYield = [&] {
    if (h != INVALID_HANDLE_VALUE && !exists(inner)) {
      CloseHandle(h);
      h = INVALID_HANDLE_VALUE;
    }
  };
  std::string path = root;
  erase::EraseFolder(w.app.run(), path, true, true);
  w.loop.onYield = nullptr;
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  EXPECT_FALSE(exists(locked));
  EXPECT_FALSE(exists(root));
}

TEST(PathChecksWine, FolderExistsIsTrueForAPlainFileAndFalseForNothing) {
  WinePlatform w;
  ScratchFolder scratch("q3-exists");
  const std::string root = scratch.path();
  writeFile(root + "\\plain.txt");
  EXPECT_TRUE(erase::FolderExists(w.app.run(), root + "\\plain.txt"));
  EXPECT_TRUE(erase::FolderExists(w.app.run(), root));
  EXPECT_FALSE(erase::FolderExists(w.app.run(), root + "\\missing"));
  EXPECT_TRUE(erase::FileExists(w.app.run(), root + "\\plain.txt"));
  EXPECT_FALSE(erase::FileExists(w.app.run(), root));
}

TEST(FindByNameWine, FindsEveryListedNameBelowTheFolderAsShortPathsDeeperFirst) {
  WinePlatform w;
  ScratchFolder scratch("q3-find");
  const std::string root = scratch.path();
  const std::string deep = root + "\\Long Folder Name\\profile";
  CreateDirectoryA((root + "\\Long Folder Name").c_str(), nullptr);
  CreateDirectoryA(deep.c_str(), nullptr);
  writeFile(deep + "\\history.dat");
  writeFile(root + "\\netscape.hst");
  writeFile(root + "\\other.dat");
  writeFile(deep + "\\cookies.txt");

  std::vector<std::string> results;
  erase::FindFilesByName(w.app.run(), root, "netscape.hst history.dat", results);
  ASSERT_EQ(2u, results.size());
  char shortDeep[MAX_PATH] = {}, shortTop[MAX_PATH] = {};
  GetShortPathNameA((deep + "\\history.dat").c_str(), shortDeep, MAX_PATH);
  GetShortPathNameA((root + "\\netscape.hst").c_str(), shortTop, MAX_PATH);
  EXPECT_EQ(std::string(shortDeep), results[0]);
  EXPECT_EQ(std::string(shortTop), results[1]);
  EXPECT_EQ(std::string::npos, results[0].find("Long Folder Name"));
}

TEST(EraseFolderWine, ALinkToAnOutsideFolderIsNotFollowed) {
  const std::string outside = tempFolder() + "q3-outside";
  removeTree(outside);
  CreateDirectoryA(outside.c_str(), nullptr);
  const std::string canary = outside + "\\canary.txt";
  writeFile(canary, "alive");
  ScratchFolder scratch("q3-link");
  const std::string root = scratch.path();
  CreateDirectoryA((root + "\\inside").c_str(), nullptr);
  writeFile(root + "\\inside\\plain.txt");
  const std::string link = root + "\\inside\\link";
  const std::string unixTarget = unixPath(outside), unixInside = unixPath(root + "\\inside");
  if (unixTarget.empty() || unixInside.empty()) {
    removeTree(outside);
    GTEST_SKIP() << "not under Wine: no Unix link to make";
  }
  runUnix("ln", "-s \"" + unixTarget + "\" \"" + unixInside + "/link\"");
  waitFor([&] { return exists(link); });
  const DWORD attributes = GetFileAttributesA(link.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  ASSERT_EQ(DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
            attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));

  WinePlatform w;
  LogWatch log;
  std::string path = root;
  erase::EraseFolder(w.app.run(), path, true, true);
  EXPECT_TRUE(exists(canary));
  EXPECT_TRUE(exists(outside));
  EXPECT_FALSE(exists(root + "\\inside\\plain.txt"));
  EXPECT_TRUE(log.mentions("link"));

  removeTree(root);  // the link goes first, without touching what it names
  EXPECT_TRUE(exists(canary));
  removeTree(outside);
}

TEST(HeldFolderWine, AHeldFolderCannotBeRenamedAndALinkIsSeenAsALink) {
  ScratchFolder scratch("q9-held");
  const std::string folder = scratch.path() + "\\walked";
  CreateDirectoryA(folder.c_str(), nullptr);
  WinePlatform w;
  platform::FileIdentity identity;
  {
    const auto held = w.files.holdFolder(folder, &identity);
    ASSERT_TRUE(held);
    EXPECT_TRUE(identity.known);
    EXPECT_EQ(0u, identity.attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_NE(0u, identity.attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(MoveFileA(folder.c_str(), (folder + " moved").c_str())) << "renamed while held";
  }
  EXPECT_TRUE(MoveFileA(folder.c_str(), (folder + " moved").c_str())) << "error " << GetLastError();

  // The same folder by another path has the same identity; a walk does not enter a link.
  const std::string target = scratch.path() + "\\walked moved";
  platform::FileIdentity again, viaParent;
  ASSERT_TRUE(w.files.holdFolder(target, &again));
  ASSERT_TRUE(w.files.holdFolder(scratch.path() + "\\walked moved\\.", &viaParent));
  EXPECT_TRUE(again.sameAs(viaParent));
  ASSERT_TRUE(runUnix("ln", "-s \"" + unixPath(target) + "\" \"" + unixPath(scratch.path()) + "/link\""));
  ASSERT_TRUE(waitFor([&] { return exists(scratch.path() + "\\link"); }));
  platform::FileIdentity link;
  EXPECT_FALSE(erase::holdPlainFolder(w.app.run(), scratch.path() + "\\link", &link)) << "a walk would enter the link";
}

// Someone who can write the folder leaves "PATH.new" as a second name of a file of theirs
// (or of the system's) and PATH as a link: neither is written through.
TEST(HeldFolderWine, AReplacedFileIsWrittenNewAndPutInPlaceNotThroughALinkLeftThere) {
  ScratchFolder scratch("q9-replace");
  const std::string list = scratch.path() + "\\cookies.inf", victim = scratch.path() + "\\system.ini";
  const std::string linked = scratch.path() + "\\report.txt", target = scratch.path() + "\\win.ini";
  writeFile(list, "old");
  writeFile(victim, "[boot]");
  writeFile(target, "[windows]");
  ASSERT_TRUE(runUnix("ln", "\"" + unixPath(victim) + "\" \"" + unixPath(list) + ".new\""));
  ASSERT_TRUE(runUnix("ln", "-s \"" + unixPath(target) + "\" \"" + unixPath(linked) + "\""));
  ASSERT_TRUE(waitFor([&] { return exists(list + ".new") && exists(linked); }));
  WinePlatform w;
  EXPECT_EQ(0, platform::ReplaceWithNewFile(w.files, list, "new"));
  EXPECT_EQ(0, platform::ReplaceWithNewFile(w.files, linked, "report"));
  std::string text;
  EXPECT_EQ(0, w.files.readFile(list, &text));
  EXPECT_EQ("new", text);
  EXPECT_EQ(0, w.files.readFile(victim, &text));
  EXPECT_EQ("[boot]", text) << "written through the hard link left as cookies.inf.new";
  EXPECT_TRUE(exists(list + ".new")) << "someone's own file of that name goes untouched";
  EXPECT_EQ(0, w.files.readFile(target, &text));
  EXPECT_EQ("[windows]", text) << "written through the link left as report.txt";
  EXPECT_EQ(0, w.files.readFile(linked, &text));
  EXPECT_EQ("report", text);
  EXPECT_NE(0, platform::ReplaceWithNewFile(w.files, scratch.path() + "\\missing\\r.txt", "x"));
}

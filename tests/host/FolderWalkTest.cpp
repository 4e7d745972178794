// The walk below a held folder: attacks made while it yields, depth, and what it leaves.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "clean/IEItems.h"
#include "clean/NetscapeItems.h"
#include "clean/OperaItems.h"
#include "engine/Catalogue.h"
#include "erase/FolderTree.h"
#include "erase/modCleanItem.h"
#include "platform/WinError.h"
#include "shredder/ShredFolder.h"

using namespace platform;

namespace {

class FolderWalk : public ::testing::Test, protected TestApp {
 protected:
  FolderWalk() {
    erase::setActivityObserver([this](const std::string& entry, const std::string&) { log.push_back(entry); });
  }
  ~FolderWalk() override { erase::setActivityObserver(nullptr); }
  void file(const std::string& path, uint32_t attributes = 0) {
    fs.makeFolders(path.substr(0, path.find_last_of('\\')));
    ASSERT_EQ(0, fs.writeFile(path, "data")) << path;
    if (attributes) fs.setAttributes(path, attributes);
  }
  bool there(const std::string& path) { return fs.getAttributes(path) != fileattr::Invalid; }
  bool hostThere(const std::string& host) {
    struct stat st;
    return ::lstat(host.c_str(), &st) == 0;
  }
  // The same small tree in a folder: two files, then a sub-folder with one.
  void tree(const std::string& folder) {
    file(folder + "\\a.txt");
    file(folder + "\\b.txt");
    file(folder + "\\Sub\\c.txt");
  }
  // Runs `attack` once the walk has removed its first entry, at its next yield.
  void duringTheWalk(std::function<void()> attack) {
    erase::setActivityObserver([this, attack](const std::string& entry, const std::string&) {
      log.push_back(entry);
      if (!attacked && entry.find(" Erased") != std::string::npos) {
        attacked = true;
        machine.loop.at(now(), attack);
      }
    });
  }
  bool attacked = false;
  // `levels` folders of `name` nested in the host folder behind `winFolder`, a file in each.
  std::string deepTree(const std::string& winFolder, int levels, const std::string& name) {
    fs.makeFolders(winFolder);
    int dir = ::open(fs.hostPath(winFolder).c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < levels; ++i) {
      ::mkdirat(dir, name.c_str(), 0755);
      const int next = ::openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY);
      ::close(::openat(next, "f.txt", O_WRONLY | O_CREAT, 0644));
      ::close(dir);
      dir = next;
    }
    ::close(dir);
    return fs.hostPath(winFolder);
  }
  sim::SimFileSystem& fs = machine.files;
  std::vector<std::string> log;
};

TEST_F(FolderWalk, ASubstitutedDriveRedefinedWhileTheWalkYieldsLeavesTheNewTargetWhole) {
  tree("C:\\Data\\Temp");
  tree("C:\\Victim\\Temp");
  fs.substitute('X', "C:\\Data");
  // Windows keeps a substituted drive's root as a folder, not a link.
  EXPECT_FALSE(fs.getAttributes("X:\\") & fileattr::ReparsePoint);
  duringTheWalk([&] { fs.substitute('X', "C:\\Victim"); });
  std::string path = "X:\\Temp";
  erase::EraseFolder(app.run(), path, false, true);
  for (const char* f : {"C:\\Victim\\Temp\\a.txt", "C:\\Victim\\Temp\\b.txt", "C:\\Victim\\Temp\\Sub\\c.txt"})
    EXPECT_TRUE(there(f)) << f;
  for (const char* f : {"C:\\Data\\Temp\\a.txt", "C:\\Data\\Temp\\b.txt", "C:\\Data\\Temp\\Sub"})
    EXPECT_FALSE(there(f)) << f;
}

// A junction at any name above the folder may be re-pointed while the walk yields, or may
// already lead into someone else's files: the walk and the shred sweep go nowhere through it.
TEST_F(FolderWalk, AJunctionAnywhereAboveTheFolderRefusesTheWalkAndTheShredSweep) {
  tree("C:\\Real\\Deep\\Cache");
  tree("C:\\Victim\\Deep\\Cache");
  file("C:\\Real\\Wipe\\a.txt");
  ASSERT_EQ(0, fs.makeLink("C:\\Link", fs.hostPath("C:\\Real")));
  duringTheWalk([&] { ASSERT_EQ(0, fs.repointLink("C:\\Link", fs.hostPath("C:\\Victim"))); });
  std::string path = "C:\\Link\\Deep\\Cache";
  erase::EraseFolder(app.run(), path, false, true);
  shredder::ShredFolderTree(app, "C:\\Link\\Wipe", 1, false);
  for (const char* root : {"C:\\Real", "C:\\Victim"})
    for (const char* f : {"\\Deep\\Cache\\a.txt", "\\Deep\\Cache\\b.txt", "\\Deep\\Cache\\Sub\\c.txt"})
      EXPECT_TRUE(there(std::string(root) + f)) << root << f;
  EXPECT_TRUE(there("C:\\Real\\Wipe\\a.txt"));
  bool refusedAsLink = false;
  for (const std::string& entry : log) refusedAsLink |= entry == "C:\\Link **** skipped: link";
  EXPECT_TRUE(refusedAsLink);
}

TEST_F(FolderWalk, HeldFoldersArePinnedByWhatTheyAreNotByThePathThatReachedThem) {
  file("C:\\Real\\Held\\x.txt");
  ASSERT_EQ(0, fs.makeLink("C:\\Link", fs.hostPath("C:\\Real")));
  FileIdentity identity;
  const std::unique_ptr<HeldFolder> held = fs.holdFolder("C:\\Link\\Held", &identity);
  ASSERT_TRUE(held);
  EXPECT_EQ(winerr::SharingViolation, fs.swapForLink("C:\\Real", fs.hostPath("C:\\Elsewhere")));
  EXPECT_EQ(winerr::SharingViolation, fs.removeDirectory("C:\\Real\\Held"));
  EXPECT_EQ(winerr::Success, fs.swapForLink("C:\\Link", fs.hostPath("C:\\Elsewhere")));
}

TEST_F(FolderWalk, ATreeDeeperThanMaxPathIsEmptiedOnTheNtFamily) {
  // 30 levels of 20 characters: about 630 characters of path, as the user's temp held.
  const std::string host = deepTree("C:\\Temp", 30, std::string(20, 'd'));
  file("C:\\Temp\\top.txt");
  std::string path = "C:\\Temp";
  erase::EraseFolder(app.run(), path, false, true);
  EXPECT_FALSE(hostThere(host + "/" + std::string(20, 'd')));
  EXPECT_FALSE(there("C:\\Temp\\top.txt"));
  EXPECT_TRUE(there("C:\\Temp"));
  EXPECT_EQ(0u, app.flags.leftBehind.total());
}

TEST_F(FolderWalk, OnWindows9xADeepTreeIsReachedThroughShortNamesAndTheRestCounted) {
  fs.fileIdsKnown = false;
  const std::string name(20, 'd');  // 8.3 name DDDDDD~1: 9 characters a level instead of 21
  const std::string reachable = deepTree("C:\\Temp\\Short", 24, name);
  std::string path = "C:\\Temp\\Short";
  erase::EraseFolder(app.run(), path, false, true);
  EXPECT_FALSE(hostThere(reachable + "/" + name));
  EXPECT_EQ(0u, app.flags.leftBehind.total());

  // 40 levels pass MAX_PATH even by 8.3 names: what lies beyond is counted, not lost.
  const std::string beyond = deepTree("C:\\Temp\\Long", 40, name);
  path = "C:\\Temp\\Long";
  erase::EraseFolder(app.run(), path, false, true);
  EXPECT_TRUE(hostThere(beyond + "/" + name));
  EXPECT_GT(app.flags.leftBehind.tooDeep, 0u);
  EXPECT_EQ(app.flags.leftBehind.tooDeep, app.flags.leftBehind.total());
}

// An 8.3 name is given when a file is made: once the listed file goes, a new file may take it.
TEST_F(FolderWalk, OnWindows9xAnEightDotThreeNameNowGivenToAnotherFileIsNotActedOn) {
  fs.fileIdsKnown = false;
  const std::string folder = "C:\\" + std::string(100, 'a') + "\\" + std::string(100, 'b');
  const std::string listed = "longname-zeta-" + std::string(50, 'z') + ".txt";  // 272 characters of path
  const std::string precious = "longname-precious-" + std::string(50, 'p') + ".txt";
  fs.makeFolders(folder);
  const std::string host = fs.hostPath(folder);
  ::close(::open((host + "/" + listed).c_str(), O_WRONLY | O_CREAT, 0644));
  FileIdentity identity;
  const std::unique_ptr<HeldFolder> held = fs.holdFolder(folder, &identity);
  ASSERT_TRUE(held);
  std::vector<FindData> entries;
  ASSERT_EQ(held->list(&entries), winerr::Success);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].shortName, "LONGNA~1.TXT");
  // Meanwhile another program replaces the file; the new one takes the free 8.3 name.
  ::unlink((host + "/" + listed).c_str());
  ::close(::open((host + "/" + precious).c_str(), O_WRONLY | O_CREAT, 0644));
  EXPECT_EQ(held->removeChildFile(listed, false, nullptr), winerr::FileNotFound);
  EXPECT_EQ(held->childIdentity(listed, &identity), winerr::FileNotFound);
  EXPECT_TRUE(hostThere(host + "/" + precious));
}

TEST_F(FolderWalk, AThousandLevelTreeIsRemovedWithoutExhaustingTheStack) {
  rlimit files;
  ASSERT_EQ(0, ::getrlimit(RLIMIT_NOFILE, &files));
  if (files.rlim_cur < 4096) {
    files.rlim_cur = files.rlim_max < 4096 ? files.rlim_max : 4096;
    ::setrlimit(RLIMIT_NOFILE, &files);
  }
  const std::string host = deepTree("C:\\Temp", 1000, "d");
  std::string path = "C:\\Temp";
  erase::EraseFolder(app.run(), path, false, true);
  EXPECT_FALSE(hostThere(host + "/d"));
  EXPECT_TRUE(erase::DeleteFolderTree(app.run(), "C:\\Temp"));
}

TEST_F(FolderWalk, WhatTheTempWalkLeavesIsCountedByWhyAndShownInsteadOfDone) {
  machine.system.temp = "C:\\WINDOWS\\TEMP\\";
  file("C:\\WINDOWS\\TEMP\\plain.tmp");
  file("C:\\WINDOWS\\TEMP\\open.tmp");
  fs.lock("C:\\WINDOWS\\TEMP\\open.tmp");
  fs.restartMarkError = winerr::AccessDenied;  // no administrator: it cannot go at the next restart either
  file("C:\\WINDOWS\\TEMP\\hidden.tmp", fileattr::Hidden);
  file("C:\\WINDOWS\\TEMP\\sub\\system.tmp", fileattr::System);
  file("C:\\WINDOWS\\TEMP\\sub\\readonly.tmp", fileattr::ReadOnly);
  file("C:\\Elsewhere\\keep.txt");
  ASSERT_EQ(0, fs.makeLink("C:\\WINDOWS\\TEMP\\link", fs.hostPath("C:\\Elsewhere")));
  app.frm.chkWinSettings[7].setValue(1);
  app::doClean(app);
  EXPECT_FALSE(there("C:\\WINDOWS\\TEMP\\plain.tmp"));
  EXPECT_TRUE(there("C:\\Elsewhere\\keep.txt"));
  EXPECT_EQ(1u, app.flags.leftBehind.inUse);
  EXPECT_EQ(2u, app.flags.leftBehind.hiddenOrSystem);
  EXPECT_EQ(1u, app.flags.leftBehind.readOnly);
  EXPECT_EQ(1u, app.flags.leftBehind.links);
  EXPECT_EQ(0u, app.flags.leftBehind.tooDeep + app.flags.leftBehind.denied);
  const std::vector<std::string> shown = lines();
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ("Cleaning Windows Temp File Folder...", shown[0]);
  EXPECT_EQ("Done, but left 5: 1 in use, 2 hidden or system, 1 read-only, 1 link", shown[1]);

  // A walk that did all its work keeps the plain line.
  fs.unlock("C:\\WINDOWS\\TEMP\\open.tmp");
  erase::DeleteFolderTree(app.run(), "C:\\WINDOWS\\TEMP\\sub");
  for (const char* f : {"C:\\WINDOWS\\TEMP\\open.tmp", "C:\\WINDOWS\\TEMP\\hidden.tmp", "C:\\WINDOWS\\TEMP\\link"})
    fs.deleteFile(f), fs.removeDirectory(f);
  fs.setAttributes("C:\\WINDOWS\\TEMP\\hidden.tmp", 0);
  fs.deleteFile("C:\\WINDOWS\\TEMP\\hidden.tmp");
  app.frm.lstClean.clear();
  app::doClean(app);
  EXPECT_EQ("Done...", lines().at(1));
}

TEST_F(FolderWalk, AContentIe5ThatIsALinkLeavesItsTargetWholeAndIsCounted) {
  const std::string tif = "C:\\Documents and Settings\\User\\Local Settings\\Temporary Internet Files";
  file("C:\\Documents and Settings\\User\\My Documents\\Work\\report.doc");
  file(tif + "\\desktop.ini");
  ASSERT_EQ(0, fs.makeLink(tif + "\\Content.IE5", fs.hostPath("C:\\Documents and Settings\\User\\My Documents")));
  clean::ClearIECache(app.run());
  EXPECT_TRUE(there("C:\\Documents and Settings\\User\\My Documents\\Work\\report.doc"));
  EXPECT_EQ(1u, app.flags.leftBehind.links);
}

TEST_F(FolderWalk, ACacheFolderSwappedForALinkWhileTheCacheIsEmptiedIsNotFollowed) {
  const std::string content =
      "C:\\Documents and Settings\\User\\Local Settings\\Temporary Internet Files\\Content.IE5";
  file(content + "\\AAAAAAAA\\page.htm");
  file(content + "\\ZZZZZZZZ\\page.htm");
  file("C:\\Precious\\letter.doc");
  duringTheWalk([&] { ASSERT_EQ(0, fs.swapForLink(content + "\\ZZZZZZZZ", fs.hostPath("C:\\Precious"))); });
  clean::ClearIECache(app.run());
  EXPECT_TRUE(there("C:\\Precious\\letter.doc"));
  EXPECT_FALSE(there(content + "\\AAAAAAAA"));
}

// A file is removed as its folder's listing showed it, through a handle that opens the
// entry itself: whatever is put under its name after the listing, only that entry can go.
TEST_F(FolderWalk, FilesSwappedForLinksAfterTheListingLeaveWhatTheLinksLeadToWhole) {
  file("C:\\Temp\\a.txt");
  file("C:\\Temp\\b.txt");
  file("C:\\Temp\\c.txt");
  file("C:\\Precious\\letter.doc");
  duringTheWalk([&] {
    ASSERT_EQ(0, fs.swapForLink("C:\\Temp\\b.txt", fs.hostPath("C:\\Precious\\letter.doc")));
    ASSERT_EQ(0, fs.swapForLink("C:\\Temp\\c.txt", fs.hostPath("C:\\Precious")));
  });
  std::string path = "C:\\Temp";
  erase::EraseFolder(app.run(), path, false, true);
  ASSERT_TRUE(attacked);
  std::string data;
  EXPECT_EQ(0, fs.readFile("C:\\Precious\\letter.doc", &data));
  EXPECT_EQ("data", data);
  EXPECT_FALSE(hostThere(fs.hostPath("C:\\Temp") + "/b.txt")) << "the file link went, as itself";
  EXPECT_TRUE(hostThere(fs.hostPath("C:\\Temp") + "/c.txt")) << "a folder link is no file to remove";
}

TEST_F(FolderWalk, AnOperaCacheBehindARepointedJunctionIsNotEmptiedThroughIt) {
  machine.registry.setString(hkey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe",
                             "Path", "C:\\Link");
  file("C:\\Opera\\Cache\\opr001.tmp");
  file("C:\\Opera\\Cache\\opr002.tmp");
  file("C:\\Victim\\Cache\\mine.txt");
  file("C:\\Victim\\Cache\\yours.txt");
  ASSERT_EQ(0, fs.makeLink("C:\\Link", fs.hostPath("C:\\Opera")));
  duringTheWalk([&] { ASSERT_EQ(0, fs.repointLink("C:\\Link", fs.hostPath("C:\\Victim"))); });
  cleanItem("Clean Opera Cache");
  EXPECT_TRUE(there("C:\\Victim\\Cache\\mine.txt"));
  EXPECT_TRUE(there("C:\\Victim\\Cache\\yours.txt"));
}

}  // namespace

namespace {

TEST_F(FolderWalk, AMozillaProfilesFolderThatIsALinkIsNotSearched) {
  const std::string profiles = "C:\\Documents and Settings\\User\\Application Data\\Mozilla\\Profiles";
  file("C:\\Elsewhere\\default\\k2x8q7ab.slt\\history.dat");
  fs.makeFolders(profiles.substr(0, profiles.rfind('\\')));
  ASSERT_EQ(0, fs.makeLink(profiles, fs.hostPath("C:\\Elsewhere")));
  clean::ClearNetScapeHistory(app.run());
  EXPECT_TRUE(there("C:\\Elsewhere\\default\\k2x8q7ab.slt\\history.dat"));

  // The same profile in a real Profiles folder loses its history.
  ASSERT_EQ(0, fs.removeDirectory(profiles));
  file(profiles + "\\default\\k2x8q7ab.slt\\history.dat");
  clean::ClearNetScapeHistory(app.run());
  EXPECT_FALSE(there(profiles + "\\default\\k2x8q7ab.slt\\history.dat"));
}

}  // namespace

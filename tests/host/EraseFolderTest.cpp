#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TestApp.h"
#include "erase/RegTree.h"
#include "erase/RegValues.h"
#include "erase/modCleanItem.h"

using namespace platform;

namespace {

class Erase : public ::testing::Test, protected TestApp {
 protected:
  Erase() {
    erase::setActivityObserver([this](const std::string& entry, const std::string& stamp) {
      log.push_back(entry + " | " + stamp);
      if (onLog) onLog(entry);
    });
  }
  ~Erase() override { erase::setActivityObserver(nullptr); }
  void file(const std::string& path, uint32_t attributes = 0) {
    const size_t slash = path.find_last_of('\\');
    fs.makeFolders(path.substr(0, slash));
    fs.writeFile(path, "data");
    if (attributes) fs.setAttributes(path, attributes);
  }
  bool there(const std::string& path) { return fs.getAttributes(path) != fileattr::Invalid; }
  bool logged(const std::string& prefix) {
    for (const std::string& line : log)
      if (line.rfind(prefix, 0) == 0) return true;
    return false;
  }
  void twoLevels(const std::string& root) {
    file(root + "\\top.txt");
    file(root + "\\A\\a.txt");
    file(root + "\\A\\AA\\aa.txt");
    file(root + "\\B\\b.txt");
  }
  sim::SimFileSystem& fs = machine.files;
  std::vector<std::string> log;
  std::function<void(const std::string&)> onLog;
};

TEST_F(Erase, TwoLevelTreeUnderEachFlagCombination) {
  for (int removeThis = 0; removeThis < 2; ++removeThis) {
    for (int removeSubs = 0; removeSubs < 2; ++removeSubs) {
      SCOPED_TRACE(testing::Message() << "removeThis " << removeThis << " removeSubs " << removeSubs);
      twoLevels("C:\\Temp");
      std::string path = "C:\\Temp";
      erase::EraseFolder(app.run(), path, removeThis, removeSubs);
      EXPECT_EQ(path, "C:\\Temp\\");
      for (const char* f : {"C:\\Temp\\top.txt", "C:\\Temp\\A\\a.txt", "C:\\Temp\\A\\AA\\aa.txt", "C:\\Temp\\B\\b.txt"})
        EXPECT_FALSE(there(f)) << f;
      EXPECT_EQ(there("C:\\Temp\\A\\AA"), !removeSubs);
      EXPECT_EQ(there("C:\\Temp\\B"), !removeSubs);
      EXPECT_EQ(there("C:\\Temp"), !(removeThis && removeSubs));
      EXPECT_TRUE(logged("C:\\Temp\\A\\AA\\aa.txt Erased | "));
      fs.makeFolders("C:\\Temp");
      std::string again = "C:\\Temp";
      erase::EraseFolder(app.run(), again, true, true);
      ASSERT_FALSE(there("C:\\Temp"));
    }
  }
}

TEST_F(Erase, HiddenSystemAndReadOnlyEntriesSurviveTheWalkButMasksTakeHiddenFiles) {
  file("C:\\T\\plain.txt");
  file("C:\\T\\hidden.txt", fileattr::Hidden);
  file("C:\\T\\system.txt", fileattr::System);
  file("C:\\T\\readonly.txt", fileattr::ReadOnly);
  file("C:\\T\\Hid\\inside.txt");
  fs.setAttributes("C:\\T\\Hid", fileattr::Hidden);
  std::string path = "C:\\T\\";
  erase::EraseFolder(app.run(), path, true, true);
  EXPECT_FALSE(there("C:\\T\\plain.txt"));
  for (const char* f : {"C:\\T\\hidden.txt", "C:\\T\\system.txt", "C:\\T\\readonly.txt", "C:\\T\\Hid\\inside.txt"})
    EXPECT_TRUE(there(f)) << f;
  EXPECT_TRUE(logged("C:\\T\\readonly.txt | Permission denied"));

  file("C:\\T\\x.chk", fileattr::Hidden);
  file("C:\\T\\y.chk", fileattr::System);
  fs.makeFolders("C:\\T\\dir.chk");
  erase::EraseMatchingFiles(app.run(), "C:\\T\\*.chk");
  EXPECT_FALSE(there("C:\\T\\x.chk"));
  EXPECT_TRUE(there("C:\\T\\y.chk"));
  EXPECT_TRUE(there("C:\\T\\dir.chk"));
}

TEST_F(Erase, StopStopsAfterTheCurrentFileAndKeepsTheFolder) {
  twoLevels("C:\\Temp");
  onLog = [this](const std::string&) { app.flags.abort = true; };
  const uint64_t before = machine.loop.dispatchCount();
  std::string path = "C:\\Temp";
  erase::EraseFolder(app.run(), path, true, true);
  int erased = 0;
  for (const char* f : {"C:\\Temp\\top.txt", "C:\\Temp\\A\\a.txt", "C:\\Temp\\A\\AA\\aa.txt", "C:\\Temp\\B\\b.txt"})
    erased += !there(f);
  EXPECT_EQ(erased, 1);
  EXPECT_TRUE(there("C:\\Temp\\A\\AA"));
  EXPECT_TRUE(there("C:\\Temp"));
  EXPECT_GT(machine.loop.dispatchCount(), before);

  erase::EraseFile(app.run(), "C:\\Temp\\B\\b.txt");
  EXPECT_TRUE(there("C:\\Temp\\B\\b.txt"));
  EXPECT_TRUE(logged("C:\\Temp\\B\\b.txt **** aborted by user | "));
}

TEST_F(Erase, ALockedFileIsOfferedAgainAndTheWalkGoesOn) {
  file("C:\\W\\a.txt");
  file("C:\\W\\sub\\b.txt");
  file("C:\\W\\z.txt");
  fs.lock("C:\\W\\a.txt");
  std::string path = "C:\\W";
  erase::EraseFolder(app.run(), path, true, true);
  EXPECT_TRUE(there("C:\\W\\a.txt"));
  EXPECT_FALSE(there("C:\\W\\sub"));
  EXPECT_FALSE(there("C:\\W\\z.txt"));
  EXPECT_TRUE(there("C:\\W"));
  int failures = 0;
  for (const std::string& line : log) failures += line == "C:\\W\\a.txt | Permission denied";
  EXPECT_EQ(failures, 2);

  // Let go of while the walk is below: the second offer takes it.
  file("C:\\W\\sub\\b.txt");
  onLog = [this](const std::string& entry) {
    if (entry == "C:\\W\\a.txt") fs.unlock("C:\\W\\a.txt");
  };
  erase::EraseFolder(app.run(), path, true, true);
  EXPECT_FALSE(there("C:\\W"));
}

TEST_F(Erase, ALinkBelowTheFolderIsNeitherFollowedNorRemoved) {
  file("C:\\Outside\\canary.txt");
  file("C:\\Outside\\Deep\\canary2.txt");
  file("C:\\W\\plain.txt");
  file("C:\\W\\Sub\\x.txt");
  ASSERT_EQ(fs.makeLink("C:\\W\\junction", fs.hostPath("C:\\Outside")), 0);
  ASSERT_EQ(fs.makeLink("C:\\W\\Sub\\filelink.txt", fs.hostPath("C:\\Outside\\canary.txt")), 0);
  ASSERT_EQ(fs.makeLink("C:\\W\\Sub\\Cache", fs.hostPath("C:\\Outside\\Deep")), 0);

  std::string path = "C:\\W";
  erase::EraseFolder(app.run(), path, true, true);
  erase::ClearSubFolders(app.run(), "C:\\W");
  std::vector<std::string> found;
  erase::FindFilesByName(app.run(), "C:\\W", "canary.txt canary2.txt filelink.txt", found);
  erase::FindFoldersByName(app.run(), "C:\\W", "Cache", found);

  EXPECT_TRUE(found.empty());
  EXPECT_TRUE(there("C:\\Outside\\canary.txt"));
  EXPECT_TRUE(there("C:\\Outside\\Deep\\canary2.txt"));
  EXPECT_TRUE(there("C:\\W\\junction"));
  EXPECT_TRUE(there("C:\\W\\Sub\\filelink.txt"));
  EXPECT_FALSE(there("C:\\W\\plain.txt"));
  EXPECT_FALSE(there("C:\\W\\Sub\\x.txt"));
  EXPECT_TRUE(logged("C:\\W\\junction **** skipped: link"));
}

TEST_F(Erase, EntriesBeyondMaxPathGoAsWellOnTheNtFamily) {
  // Built on the host, as a program with longer paths could leave it.
  std::string winPath = "C:\\Deep", host = fs.hostPath("C:\\") + "/Deep";
  ::mkdir(host.c_str(), 0755);
  const std::string segment(60, 'd');
  for (int i = 0; i < 4; ++i) {  // ~250 characters
    winPath += "\\" + segment;
    host += "/" + segment;
    ::mkdir(host.c_str(), 0755);
  }
  const std::string tooLong = std::string(20, 'f') + ".txt";
  FILE* f = std::fopen((host + "/" + tooLong).c_str(), "w");
  std::fclose(f);
  ::mkdir((host + "/" + std::string(12, 's')).c_str(), 0755);
  f = std::fopen((host + "/a.txt").c_str(), "w");
  std::fclose(f);
  ASSERT_LE(winPath.size() + 6, 259u);

  std::string path = "C:\\Deep";
  erase::EraseFolder(app.run(), path, true, true);
  // Reached relative to their held folder, not by a path too long for Windows.
  struct stat st;
  EXPECT_NE(::stat((fs.hostPath("C:\\") + "/Deep").c_str(), &st), 0);
  EXPECT_FALSE(logged(winPath + "\\" + tooLong + " **** skipped: path too long"));
  EXPECT_TRUE(logged(winPath + "\\" + tooLong + " Erased"));
}

TEST_F(Erase, ClearSubFoldersEmptiesAndRemovesEveryImmediateSubFolder) {
  file("C:\\S\\keep.txt");
  file("C:\\S\\One\\a.gif");
  file("C:\\S\\One\\b.bin", fileattr::Hidden);
  file("C:\\S\\Two\\c");
  file("C:\\S\\Three\\Nested\\d.htm");
  fs.setAttributes("C:\\S\\Two", fileattr::ReadOnly);
  erase::ClearSubFolders(app.run(), "C:\\S");
  EXPECT_TRUE(there("C:\\S\\keep.txt"));
  EXPECT_FALSE(there("C:\\S\\One"));
  EXPECT_FALSE(there("C:\\S\\Two"));
  EXPECT_TRUE(there("C:\\S\\Three\\Nested\\d.htm"));  // a folder inside keeps its parent
  EXPECT_FALSE(fs.getAttributes("C:\\S\\Three") & fileattr::ReadOnly);
}

TEST_F(Erase, ClearSubFoldersRefusesEmptyRootAndRelativeFolders) {
  file("C:\\Top\\a.txt");
  for (const char* folder : {"", "C:\\", "c:", "C:\\Top\\..", "C:/", "Top", "\\Top", "\\\\srv\\share"})
    erase::ClearSubFolders(app.run(), folder);
  EXPECT_TRUE(there("C:\\Top\\a.txt"));
}

TEST_F(Erase, ASubFolderSwappedForALinkIsNotEmptiedThroughIt) {
  file("C:\\S\\0 first\\x.txt");
  file("C:\\S\\Victim\\y.txt");
  file("C:\\Outside\\canary.txt");
  std::function<void()> attacker = [&] {
    if (there("C:\\S\\0 first")) {
      machine.loop.at(now() + 1, attacker);
      return;
    }
    ASSERT_EQ(0, fs.swapForLink("C:\\S\\Victim", fs.hostPath("C:\\Outside")));
  };
  machine.loop.at(now() + 1, attacker);
  erase::ClearSubFolders(app.run(), "C:\\S");
  EXPECT_TRUE(there("C:\\Outside\\canary.txt"));
  EXPECT_TRUE(logged("C:\\S\\Victim **** skipped: link"));
}

TEST_F(Erase, ARegistryTreeDeleteOfAnEmptyOrRootedKeyIsRefused) {
  machine.registry.setString(hkey::CurrentUser, "Software\\Keep", "v", "1");
  erase::RunFlags flags;
  for (const char* key : {"", "\\", "\\Software"})
    EXPECT_EQ(erase::TreeEnd::Failed, erase::DeleteRegTree(machine.registry, flags, hkey::CurrentUser, key))
        << "key=" << key;
  EXPECT_EQ("1", erase::ReadRegString(app.run(), hkey::CurrentUser, "Software\\Keep", "v"));
  EXPECT_EQ(erase::TreeEnd::Removed,
            erase::DeleteRegTree(machine.registry, flags, hkey::CurrentUser, "Software\\Keep"));
  EXPECT_EQ("", erase::ReadRegString(app.run(), hkey::CurrentUser, "Software\\Keep", "v"));
}

}  // namespace

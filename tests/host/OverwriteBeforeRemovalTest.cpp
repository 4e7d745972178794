// "Overwrite files before they are removed" on the Run settings page: what the disk still
// holds of a removed file, what a second name keeps, what a preview writes, and what the
// report and the item's line say of files removed without it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PlanHarness.h"
#include "shredder/Shredder.h"

namespace {

using erase::Outcome;
using platform::fileattr::Compressed;
using platform::fileattr::Encrypted;
using platform::fileattr::Sparse;

constexpr int kTemp = 7, kScanDisk = 6;  // positions of two Windows items in the catalogue
const std::string kTempFolder = "C:\\WINDOWS\\TEMP\\";
const std::string kSecret = "account 1234-5678, pin 0042";

class OverwriteBeforeRemoval : public ::testing::Test, protected PlanCheck {
 protected:
  void SetUp() override {
    fs.keepRemovedBytes = true;
    machine.system.temp = kTempFolder;
    shredder::fillSecurityLevels(app);
  }
  void put(const std::string& path, const std::string& data = kSecret) {
    fs.makeFolders(path.substr(0, path.rfind('\\')));
    ASSERT_EQ(fs.writeFile(path, data), 0) << path;
  }
  // The tick on, at the Shredder's level `level` ("Very Low" is 0).
  void overwriteAt(int level) {
    app.frm.startUp.chkOverwrite.setValue(1);
    app.frm.cmbOver.setListIndex(level);
  }
  // What the disk still holds where the file's bytes were.
  std::string leftOnDisk(const std::string& path) {
    auto it = fs.removedBytes.find(fs.hostPath(path));
    return it == fs.removedBytes.end() ? "(not removed)" : it->second;
  }
  std::string reasonFor(const std::string& path) {
    for (const erase::ItemPlan& item : app.lastRun.items)
      for (const erase::Target& target : item.targets)
        if (target.where == path) return std::string(erase::outcomeName(target.outcome)) + ": " + target.reason;
    return "(not reported)";
  }
  int writesThroughHandles() const {
    return static_cast<int>(std::count_if(fs.handleJournal.begin(), fs.handleJournal.end(),
                                          [](const std::string& line) { return line.rfind("write ", 0) == 0; }));
  }
  bool there(const std::string& path) { return fs.getAttributes(path) != platform::fileattr::Invalid; }

  platform::sim::SimFileSystem& fs = machine.files;
};

TEST_F(OverwriteBeforeRemoval, EachLevelOverwritesTheFileItsNumberOfTimesBeforeItGoes) {
  // Very Low 1 pass, Low 2, Medium 3, High 5, Extreme 7: the figures the page shows.
  const int passes[] = {1, 2, 3, 5, 7};
  for (int level = 0; level < 5; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    put(kTempFolder + "a.tmp");
    fs.handleJournal.clear();
    fs.flushes = 0;
    overwriteAt(level);
    tickOnly(kTemp);
    run();
    EXPECT_FALSE(there(kTempFolder + "a.tmp"));
    const std::string left = leftOnDisk(kTempFolder + "a.tmp");
    EXPECT_EQ(left.size(), kSecret.size());
    EXPECT_EQ(left.find("1234"), std::string::npos) << left;
    EXPECT_EQ(writesThroughHandles(), passes[level]);
    EXPECT_EQ(fs.flushes, passes[level]) << "each pass reaches the disk before the next";
    const std::string word = passes[level] == 1 ? " pass" : " passes";
    EXPECT_EQ(reasonFor(kTempFolder + "a.tmp"), "Removed: overwritten, " + std::to_string(passes[level]) + word);
  }
}

TEST_F(OverwriteBeforeRemoval, FilesBelowSubFoldersAndOnesMatchedByAMaskAreOverwrittenToo) {
  put(kTempFolder + "one\\two\\deep.tmp");
  put("C:\\FILE0000.CHK");
  overwriteAt(0);
  tickOnly(kTemp);
  app.frm.chkWinSettings[kScanDisk].setValue(1);
  run();
  EXPECT_FALSE(there(kTempFolder + "one"));
  EXPECT_FALSE(there("C:\\FILE0000.CHK"));
  EXPECT_EQ(leftOnDisk("C:\\FILE0000.CHK"), std::string(kSecret.size(), '\0'));
  EXPECT_EQ(reasonFor("C:\\FILE0000.CHK"), "Removed: overwritten, 1 pass");
  EXPECT_EQ(reasonFor(kTempFolder + "one\\two\\deep.tmp"), "Removed: overwritten, 1 pass");
}

TEST_F(OverwriteBeforeRemoval, OnWindows98TheFileIsOverwrittenByItsPath) {
  fs.fileIdsKnown = false;
  put(kTempFolder + "a.tmp");
  overwriteAt(0);
  tickOnly(kTemp);
  run();
  EXPECT_FALSE(there(kTempFolder + "a.tmp"));
  EXPECT_EQ(leftOnDisk(kTempFolder + "a.tmp"), std::string(kSecret.size(), '\0'));
}

TEST_F(OverwriteBeforeRemoval, AHardLinkedFileLosesThisNameOnlyAndTheOtherNameKeepsItsBytes) {
  put("C:\\Docs\\keep.doc");
  fs.makeFolders(kTempFolder);
  ASSERT_EQ(fs.makeHardLink(kTempFolder + "linked.tmp", "C:\\Docs\\keep.doc"), 0);
  put(kTempFolder + "plain.tmp");
  overwriteAt(4);
  tickOnly(kTemp);
  run();
  EXPECT_FALSE(there(kTempFolder + "linked.tmp"));
  std::string kept;
  ASSERT_EQ(fs.readFile("C:\\Docs\\keep.doc", &kept), 0);
  EXPECT_EQ(kept, kSecret);
  EXPECT_EQ(reasonFor(kTempFolder + "linked.tmp"), "Removed: not overwritten: another name shares its data");
  EXPECT_EQ(reasonFor(kTempFolder + "plain.tmp"), "Removed: overwritten, 7 passes");
  const std::vector<std::string> shown = lines();
  EXPECT_NE(std::find(shown.begin(), shown.end(), "Done, 1 file removed but not overwritten"), shown.end());
}

TEST_F(OverwriteBeforeRemoval, ALinkIsRefusedAndWhatItNamesIsNeitherWrittenNorRemoved) {
  put("C:\\Elsewhere\\precious.doc");
  fs.makeFolders(kTempFolder);
  ASSERT_EQ(fs.makeLink(kTempFolder + "link.tmp", fs.hostPath("C:\\Elsewhere\\precious.doc")), 0);
  overwriteAt(0);
  tickOnly(kTemp);
  run();
  EXPECT_EQ(reasonFor(kTempFolder + "link.tmp"), "Refused: link");
  std::string kept;
  ASSERT_EQ(fs.readFile("C:\\Elsewhere\\precious.doc", &kept), 0);
  EXPECT_EQ(kept, kSecret);
  EXPECT_EQ(writesThroughHandles(), 0);
}

TEST_F(OverwriteBeforeRemoval, CompressedSparseAndEncryptedFilesGoButAreReportedNotOverwritten) {
  const struct {
    const char* name;
    uint32_t bit;
    const char* reason;
  } cases[] = {{"packed.tmp", Compressed, "compressed"}, {"holes.tmp", Sparse, "sparse"},
               {"locked.tmp", Encrypted, "encrypted"}};
  for (const auto& c : cases) {
    put(kTempFolder + c.name);
    fs.setStorageAttributes(kTempFolder + c.name, c.bit);
  }
  overwriteAt(2);
  tickOnly(kTemp);
  run();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(there(kTempFolder + c.name));
    EXPECT_EQ(leftOnDisk(kTempFolder + c.name), kSecret) << "nothing was written over it";
    const std::string reason = reasonFor(kTempFolder + c.name);
    EXPECT_EQ(reason.rfind("Removed: not overwritten: ", 0), 0u) << reason;
    EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
  }
  EXPECT_EQ(writesThroughHandles(), 0);
  const std::vector<std::string> shown = lines();
  EXPECT_NE(std::find(shown.begin(), shown.end(), "Done, 3 files removed but not overwritten"), shown.end());
}

TEST_F(OverwriteBeforeRemoval, AFileInUseIsMarkedForTheRestartAndNotOverwritten) {
  put(kTempFolder + "open.tmp");
  fs.lock(kTempFolder + "open.tmp");
  overwriteAt(0);
  tickOnly(kTemp);
  run();
  EXPECT_TRUE(there(kTempFolder + "open.tmp"));
  EXPECT_EQ(fs.restartMarks, std::vector<std::string>{kTempFolder + "open.tmp"});
  EXPECT_EQ(writesThroughHandles(), 0);
  fs.unlock(kTempFolder + "open.tmp");
  std::string data;
  ASSERT_EQ(fs.readFile(kTempFolder + "open.tmp", &data), 0);
  EXPECT_EQ(data, kSecret);
}

TEST_F(OverwriteBeforeRemoval, UntickedTheFileGoesAsBeforeWithItsBytesLeftOnTheDisk) {
  put(kTempFolder + "a.tmp");
  app.frm.cmbOver.setListIndex(4);
  tickOnly(kTemp);
  run();
  EXPECT_FALSE(there(kTempFolder + "a.tmp"));
  EXPECT_EQ(leftOnDisk(kTempFolder + "a.tmp"), kSecret);
  EXPECT_EQ(writesThroughHandles(), 0);
  EXPECT_EQ(reasonFor(kTempFolder + "a.tmp"), "Removed: ");
  const std::vector<std::string> shown = lines();
  EXPECT_NE(std::find(shown.begin(), shown.end(), "Done..."), shown.end());
}

TEST_F(OverwriteBeforeRemoval, APreviewWritesNothingAndAWalkOutsideAPassDoesNotOverwrite) {
  put(kTempFolder + "a.tmp");
  put("C:\\FILE0000.CHK");
  overwriteAt(4);
  tickOnly(kTemp);
  app.frm.chkWinSettings[kScanDisk].setValue(1);
  collect();  // fails when anything on the machine changed
  EXPECT_EQ(writesThroughHandles(), 0);
  EXPECT_EQ(fs.flushes, 0);
  // The choice holds for a cleaning pass only: an item cleaned on its own deletes plainly.
  cleanItem("Clean Windows Temp File Folder");
  EXPECT_EQ(leftOnDisk(kTempFolder + "a.tmp"), kSecret);
}

}  // namespace

// The free-space wipe on the Shredder page: filling a drive down to the room kept for
// Windows, every way it is stopped, what a crash left, links, and the drives it refuses.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "app/CleaningRun.h"
#include "panic/Panic.h"
#include "platform/OpenFile.h"
#include "platform/WinError.h"
#include "program/Startup.h"
#include "shredder/WipeFolder.h"
#include "shredder/WipePage.h"
#include "TestApp.h"

namespace {

using platform::DiskSpace;
using platform::drivetype::CdRom;
using platform::drivetype::Fixed;
using platform::drivetype::RamDisk;
using platform::drivetype::Remote;
using platform::drivetype::Removable;

constexpr uint64_t MB = 1ull << 20;
const std::string kFolder = "D:\\Quellery Free Space Wipe";

class WipeFreeSpace : public ::testing::Test, public TestApp {
 protected:
  void SetUp() override {
    addDrive('D');
    // 200 MB, 100 MB free: the 64 MB margin leaves 36 MB to wipe.
    machine.files.setDriveSize('D', 200 * MB, 100 * MB);
  }
  void addDrive(char letter) { ::mkdir((machine.hostRoot + "/" + std::string(1, letter)).c_str(), 0755); }
  void wipe(const std::string& drive) {
    shredder::fillWipeDrives(app);
    app.frm.shredder.cmbWipeDrive.setText(drive);
    app.frm.shredder.cmdWipeFree.click();
  }
  std::string label() { return app.frm.shredder.lblWipeProgress.caption(); }
  uint64_t freeOnD() {
    DiskSpace space;
    EXPECT_EQ(platform::winerr::Success, machine.files.diskSpace("D:\\", &space));
    return space.freeToCaller;
  }
  bool exists(const std::string& path) { return machine.files.getAttributes(path) != platform::fileattr::Invalid; }
  uint64_t bytesWritten(size_t from = 0) {
    uint64_t bytes = 0;
    for (size_t i = from; i < machine.files.handleJournal.size(); ++i) {
      const std::string& entry = machine.files.handleJournal[i];
      if (entry.compare(0, 6, "write ") == 0) bytes += std::stoull(entry.substr(entry.rfind(' ') + 1));
    }
    return bytes;
  }
};

TEST_F(WipeFreeSpace, KeepsTheMarginThroughTheFillThenWipesItTooAndLeavesNoFillerAndNoFolder) {
  bool sawFiller = false;
  uint64_t lowestFree = UINT64_MAX, writtenWhenBelowMargin = 0;
  for (uint32_t at = 2; at < 200; ++at)
    machine.loop.at(now() + at, [&] {
      sawFiller = sawFiller || exists(kFolder + "\\fill00001.tmp");
      const uint64_t free = freeOnD();
      if (free < 64 * MB && writtenWhenBelowMargin == 0) writtenWhenBelowMargin = bytesWritten();
      lowestFree = std::min(lowestFree, free);
    });
  wipe("D:");
  EXPECT_TRUE(sawFiller);
  // The 36 MB above the margin are written before the margin is touched; then the margin
  // goes too, and every free byte has been overwritten once.
  EXPECT_GE(writtenWhenBelowMargin, 36 * MB);
  EXPECT_EQ(0u, lowestFree);
  EXPECT_EQ(100 * MB, bytesWritten());
  EXPECT_EQ(100 * MB, freeOnD());
  EXPECT_FALSE(exists(kFolder));
  // The zeros reach the disk before the filler goes.
  EXPECT_EQ("flush", machine.files.handleJournal.back());
  EXPECT_EQ(0u, label().find("Wiped 100 MB of free space on D: in ")) << label();
  EXPECT_NE(std::string::npos, label().find(". The filler files are removed.")) << label();
  EXPECT_TRUE(app.frm.shredder.cmdWipeFree.inFront());
}

TEST_F(WipeFreeSpace, OnADriveOverSixGigabytesTheMarginIsOnePercent) {
  machine.files.setDriveSize('D', 10000 * MB, 10000 * MB - 120 * MB);
  uint64_t writtenWhenBelowMargin = 0;
  for (uint32_t at = 2; at < 200; ++at)
    machine.loop.at(now() + at, [&] {
      if (freeOnD() < 100 * MB && writtenWhenBelowMargin == 0) writtenWhenBelowMargin = bytesWritten();
    });
  wipe("D:");
  EXPECT_GE(writtenWhenBelowMargin, 20 * MB);  // 120 MB free less the 100 MB kept through the fill
  EXPECT_LT(writtenWhenBelowMargin, 22 * MB);
  EXPECT_EQ(120 * MB, bytesWritten());
}

TEST_F(WipeFreeSpace, ShowsMegabytesSpeedAndTimeLeftWhileItWipes) {
  machine.files.setDriveSize('D', 1200 * MB, 600 * MB);
  std::string seen;
  machine.loop.at(now() + 450, [&] { seen = label(); });
  wipe("D:");
  // The simulated clock moves 1 ms a block: about 1,000 MB/s, shown every 200 ms.
  EXPECT_NE(std::string::npos, seen.find(" of 600 MB, ")) << seen;
  EXPECT_NE(std::string::npos, seen.find(" MB/s, ")) << seen;
  EXPECT_NE(std::string::npos, seen.find(" s left")) << seen;
}

// Each way a wipe is stopped ends it at once: no block is written after it, and every
// filler and the folder are gone before the stop's own handler returns (the program may
// end right after it).
struct StopPath {
  const char* name;
  void (*stop)(TestApp&);
};

class WipeStops : public WipeFreeSpace, public ::testing::WithParamInterface<StopPath> {};

TEST_P(WipeStops, MidWipeLeavesNoFillerAndWritesNoFurtherBlock) {
  size_t journalAtStop = 0;
  bool goneAtOnce = false;
  machine.loop.at(now() + 10, [&] {
    EXPECT_TRUE(exists(kFolder + "\\fill00001.tmp"));
    journalAtStop = machine.files.handleJournal.size();
    try {
      GetParam().stop(*this);
    } catch (...) {
      goneAtOnce = !exists(kFolder);
      throw;
    }
    goneAtOnce = !exists(kFolder);
  });
  try {
    wipe("D:");
  } catch (const platform::ProgramEnded&) {
  }
  EXPECT_TRUE(goneAtOnce);
  EXPECT_EQ(0u, bytesWritten(journalAtStop));
  EXPECT_FALSE(exists(kFolder));
  EXPECT_EQ(100 * MB, freeOnD());
  EXPECT_FALSE(app.endWipe);
}

INSTANTIATE_TEST_SUITE_P(
    EachWay, WipeStops,
    ::testing::Values(StopPath{"StopButton", [](TestApp& t) { t.app.frm.shredder.cmdWipeStop.click(); }},
                      StopPath{"PanicKey", [](TestApp& t) { panic::Panic(t.app); }},
                      StopPath{"Close", [](TestApp& t) { program::cmdExit_Click(t.app); }},
                      StopPath{"SessionEnd",
                               [](TestApp& t) {
                                 program::SessionEnding(t.app);
                                 program::SessionEnded(t.app, true);
                               }}),
    [](const ::testing::TestParamInfo<StopPath>& info) { return std::string(info.param.name); });

TEST_F(WipeFreeSpace, StopSaysHowFarItGotAndThatTheFillersAreRemoved) {
  machine.loop.at(now() + 10, [&] { app.frm.shredder.cmdWipeStop.click(); });
  wipe("D:");
  EXPECT_EQ(0u, label().find("Stopped after ")) << label();
  EXPECT_NE(std::string::npos, label().find(" of 100 MB on D:. The filler files are removed.")) << label();
}

TEST_F(WipeFreeSpace, ADiskFilledBySomethingElseEndsTheWipeCleanlyAndSaysSo) {
  machine.loop.at(now() + 10, [&] { machine.files.limitWrites(1000); });
  wipe("D:");
  machine.files.limitWrites(SIZE_MAX);
  EXPECT_FALSE(exists(kFolder));
  EXPECT_EQ(0u, label().find("Wiped ")) << label();
  EXPECT_NE(std::string::npos, label().find(" of 100 MB free on D:: the drive filled up meanwhile. The filler files are removed."))
      << label();
  EXPECT_EQ(std::string::npos, label().find("of free space")) << "never reported as a whole wipe";
}

TEST_F(WipeFreeSpace, AnotherProgramTakingTheMarginEndsTheWipeRatherThanFillingWhatIsLeft) {
  machine.loop.at(now() + 10, [&] { machine.files.useSpace('D', 60 * MB); });
  wipe("D:");
  EXPECT_FALSE(exists(kFolder));
  EXPECT_LT(bytesWritten(), 40 * MB) << "the wipe went on into the room another program needs";
  EXPECT_NE(std::string::npos, label().find("the drive filled up meanwhile")) << label();
}

TEST_F(WipeFreeSpace, NoPassStartsWhileItWipesAndItDoesNotStartDuringAPass) {
  bool passStarted = false;
  machine.loop.at(now() + 10, [&] {
    app.frm.cleaning.cmdClean.click();
    passStarted = app.flags.cleaningInProgress || app.frm.lstClean.listCount() != 0;
  });
  wipe("D:");
  EXPECT_FALSE(passStarted);
  EXPECT_EQ(100 * MB, bytesWritten());

  app.flags.cleaningInProgress = true;
  machine.files.handleJournal.clear();
  wipe("D:");
  app.flags.cleaningInProgress = false;
  EXPECT_EQ(0u, bytesWritten());
  EXPECT_EQ("Not now: a cleaning run or a panic is under way.", label());
}

// What a crash left: removed at start-up when it is the program's, and nothing beside it.
class WipeLeftover : public WipeFreeSpace {
 protected:
  void leaveCrashedWipe() {
    machine.files.makeFolders(kFolder);
    machine.files.writeFile(kFolder + "\\About this folder.txt", "Quellery writes this folder");
    machine.files.writeFile(kFolder + "\\fill00001.tmp", std::string(4096, '\0'));
    machine.files.writeFile(kFolder + "\\fill00002.tmp", std::string(4096, '\0'));
  }
};

TEST_F(WipeLeftover, IsRemovedAtStartAndAFileBesideItStays) {
  leaveCrashedWipe();
  machine.files.writeFile("D:\\Quellery Free Space Wipe.txt", "mine");
  shredder::RemoveLeftoverWipeFolders(app);
  EXPECT_FALSE(exists(kFolder));
  EXPECT_TRUE(exists("D:\\Quellery Free Space Wipe.txt"));
}

TEST_F(WipeLeftover, HoldingAnythingElseStaysWhole) {
  const struct {
    const char* what;
    void (*add)(WipeLeftover&);
  } cases[] = {
      {"a user's file", [](WipeLeftover& t) { t.machine.files.writeFile(kFolder + "\\letter.doc", "mine"); }},
      {"a sub-folder", [](WipeLeftover& t) { t.machine.files.makeFolders(kFolder + "\\fill00003.tmp"); }},
      {"a link named as a filler",
       [](WipeLeftover& t) {
         t.machine.files.makeFolders("C:\\Mine");
         t.machine.files.writeFile("C:\\Mine\\keep.txt", "mine");
         t.machine.files.makeLink(kFolder + "\\fill00003.tmp", t.machine.files.hostPath("C:\\Mine\\keep.txt"));
       }},
      {"no note", [](WipeLeftover& t) { t.machine.files.deleteFile(kFolder + "\\About this folder.txt"); }},
  };
  for (const auto& c : cases) {
    leaveCrashedWipe();
    c.add(*this);
    shredder::RemoveLeftoverWipeFolders(app);
    EXPECT_TRUE(exists(kFolder + "\\fill00001.tmp")) << c.what;
    EXPECT_TRUE(exists(kFolder + "\\fill00002.tmp")) << c.what;
    if (std::string(c.what) == "a link named as a filler") {
      std::string kept;
      machine.files.readFile("C:\\Mine\\keep.txt", &kept);
      EXPECT_EQ("mine", kept);
    }
    ::system(("rm -rf '" + machine.files.hostPath(kFolder) + "'").c_str());
  }
}

TEST_F(WipeLeftover, IsRemovedBeforeANewWipeTooAndTheWipeGoesOn) {
  leaveCrashedWipe();
  wipe("D:");
  EXPECT_FALSE(exists(kFolder));
  EXPECT_EQ(0u, label().find("Wiped 100 MB of free space on D:")) << label();
}

TEST_F(WipeFreeSpace, ALinkPlantedAsTheFolderIsNeverWrittenThrough) {
  machine.files.makeFolders("C:\\Target");
  machine.files.makeLink(kFolder, machine.files.hostPath("C:\\Target"));
  wipe("D:");
  std::vector<platform::FindData> inTarget;
  machine.files.findFiles("C:\\Target\\*", &inTarget);
  EXPECT_EQ(2u, inTarget.size()) << "only . and ..";
  EXPECT_EQ(0u, bytesWritten());
  EXPECT_EQ("D: is not wiped: a folder named \"Quellery Free Space Wipe\" is there and holds what is not the "
            "program's.",
            label());
  shredder::RemoveLeftoverWipeFolders(app);
  EXPECT_NE(platform::fileattr::Invalid, machine.files.getAttributes(kFolder));
}

TEST_F(WipeFreeSpace, AFillerIsCreatedNewSoALinkOfItsNameIsNeverOpened) {
  machine.files.makeFolders("D:\\Held");
  machine.files.writeFile("C:\\keep.txt", "mine");
  machine.files.makeLink("D:\\Held\\fill00001.tmp", machine.files.hostPath("C:\\keep.txt"));
  machine.files.makeLink("D:\\Held\\fill00002.tmp", machine.files.hostPath("C:\\gone.txt"));  // dangling
  platform::FileIdentity identity;
  auto held = machine.files.holdFolder("D:\\Held", &identity);
  ASSERT_TRUE(held);
  for (const char* name : {"fill00001.tmp", "fill00002.tmp"}) {
    long error = 0;
    EXPECT_FALSE(held->createChildFile(name, &error)) << name;
    EXPECT_EQ(platform::winerr::FileExists, error) << name;
  }
  std::string kept;
  machine.files.readFile("C:\\keep.txt", &kept);
  EXPECT_EQ("mine", kept);
  EXPECT_FALSE(exists("C:\\gone.txt"));
}

TEST_F(WipeFreeSpace, EachRefusedDriveSaysWhy) {
  for (char letter : {'N', 'E', 'F', 'R', 'S', 'T'}) addDrive(letter);
  machine.files.setDriveType('N', Remote);
  machine.files.setDriveType('E', CdRom);
  machine.files.setDriveType('F', Removable);
  machine.files.setDriveType('R', RamDisk);
  machine.files.makeFolders("C:\\Folder");
  machine.files.substitute('S', "C:\\Folder");
  machine.files.setDriveSize('T', 200 * MB, 150 * MB);
  machine.files.notReadyDrives = 1u << ('U' - 'A');
  machine.files.setDriveType('U', Fixed);
  const struct {
    const char* drive;
    const char* expected;
  } cases[] = {
      {"N:", "N: is not wiped: it is a network drive, whose free space is the server's."},
      {"E:", "E: is not wiped: it is a removable disk or CD-ROM, which may change while the wipe writes."},
      {"F:", "F: is not wiped: it is a removable disk or CD-ROM, which may change while the wipe writes."},
      {"R:", "R: is not wiped: it is a RAM disk, which keeps nothing past a restart."},
      {"S:", "S: is not wiped: it is a substituted folder of another drive."},
      {"U:", "U: is not wiped: its root cannot be opened."},
      {"T:", "T: is not wiped: it has no more free space than the room kept free for Windows (64 MB, or 1% of a "
             "larger drive)."},
  };
  for (const auto& c : cases) {
    app.frm.shredder.cmbWipeDrive.addItem(c.drive);  // as if listed before it changed
    app.frm.shredder.cmbWipeDrive.setText(c.drive);
    app.frm.shredder.cmdWipeFree.click();
    EXPECT_EQ(c.expected, label()) << c.drive;
  }
  EXPECT_EQ(0u, bytesWritten());
  shredder::fillWipeDrives(app);
  const ui::ListBox& list = app.frm.shredder.cmbWipeDrive;
  std::string listed;
  for (int i = 0; i < list.listCount(); ++i) listed += list.list(i) + " ";
  EXPECT_EQ("C: D: T: U: ", listed) << "local fixed drives only";
}

}  // namespace

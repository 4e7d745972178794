#include <gtest/gtest.h>
#include <sys/stat.h>

#include "PlanHarness.h"
#include "clean/WindowsItems.h"
#include "erase/EraseFiles.h"
#include "erase/RegValues.h"
#include "program/Startup.h"

namespace {

using erase::Outcome;
using platform::hkey::CurrentUser;
using Names = std::vector<std::string>;

const std::string kRunMRU = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const std::string kOpenSave = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const std::string kSearch = "Software\\Microsoft\\Search Assistant\\ACMru\\5647";
const std::string kUser = "HKEY_CURRENT_USER\\";

enum Item { RecycleBin, RunHistory, RecentDocs, Find, Streams, Clipboard, ScanDisk, Temp, OpenSave, Search };

class WindowsPlans : public ::testing::Test, protected PlanCheck {
 protected:
  void SetUp() override { ::mkdir((machine.files.hostRoot() + "/D").c_str(), 0755); }

  void put(const std::string& path, const std::string& data = "data", uint32_t attributes = 0) {
    const std::string folder = path.substr(0, path.rfind('\\'));
    if (folder.size() > 2) machine.files.makeFolders(folder);
    ASSERT_EQ(machine.files.writeFile(path, data), 0) << path;
    if (attributes) machine.files.setAttributes(path, attributes);
  }
  // An MRU list as Windows keeps it, with a neighbour that must survive.
  void fillList(const std::string& key) {
    machine.registry.setString(CurrentUser, key, "a", "notepad\\1");
    machine.registry.setString(CurrentUser, key, "MRUList", "a");
    machine.registry.setString(CurrentUser, key + "Canary", "keep", "me");
  }
};

TEST_F(WindowsPlans, TheTempFolderPlanListsWhatTheRunEmptiesAndTheRefusalsOfBoth) {
  machine.system.temp = "C:\\WINDOWS\\TEMP\\";
  put("C:\\WINDOWS\\TEMP\\a.tmp", "12345");
  put("C:\\WINDOWS\\TEMP\\one\\b.tmp", "1234567");
  put("C:\\WINDOWS\\TEMP\\one\\two\\c.tmp", "");
  put("C:\\WINDOWS\\TEMP\\kept.tmp", "hidden", platform::fileattr::Hidden);
  put("C:\\Elsewhere\\precious.doc");
  ASSERT_EQ(machine.files.makeLink("C:\\WINDOWS\\TEMP\\link", machine.files.hostPath("C:\\Elsewhere")), 0);
  tickOnly(Temp);
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned, Outcome::Planned),
            (Names{"File C:\\WINDOWS\\TEMP\\a.tmp", "File C:\\WINDOWS\\TEMP\\one\\b.tmp",
                   "File C:\\WINDOWS\\TEMP\\one\\two\\c.tmp", "Folder C:\\WINDOWS\\TEMP\\one\\two",
                   "Folder C:\\WINDOWS\\TEMP\\one"}));
  EXPECT_EQ(refusals(planned),
            (Names{"File C:\\WINDOWS\\TEMP\\kept.tmp: hidden or system", "Folder C:\\WINDOWS\\TEMP\\link: link"}));
  EXPECT_EQ(planned.bytes(Outcome::Planned), 12u);
  expectRunFollows(planned);
  EXPECT_EQ(app.lastRun.items[0].bytes(Outcome::Removed), 12u);
  EXPECT_EQ(machine.files.getAttributes("C:\\Elsewhere\\precious.doc"), platform::fileattr::Archive);
}

TEST_F(WindowsPlans, ScanDiskFilesArePlannedWithTheirSizesOnlyFromTheDriveRoots) {
  put("C:\\FILE0000.CHK", "lost chain");
  put("C:\\hidden.chk", "xy", platform::fileattr::Hidden);
  put("D:\\x.Chk", "abc");
  put("C:\\sub\\b.chk");
  put("C:\\notes.chkpoint");
  put("C:\\Elsewhere\\real.chk");
  ASSERT_EQ(machine.files.makeLink("C:\\linked.chk", machine.files.hostPath("C:\\Elsewhere\\real.chk")), 0);
  tickOnly(ScanDisk);
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned, Outcome::Planned),
            (Names{"File C:\\FILE0000.CHK", "File C:\\hidden.chk", "File D:\\x.Chk"}));
  EXPECT_EQ(refusals(planned), Names{"File C:\\linked.chk: link"});
  EXPECT_EQ(planned.bytes(Outcome::Planned), 15u);
  expectRunFollows(planned);
}

TEST_F(WindowsPlans, AHistoryListThatIsARegistryLinkIsRefusedInThePlanAndTheReport) {
  machine.registry.setString(CurrentUser, "Software\\Precious", "kept", "value");
  machine.registry.makeLink(CurrentUser, kRunMRU, CurrentUser, "Software\\Precious");
  tickOnly(RunHistory);
  const erase::ItemPlan planned = collectChangingNothing();
  const Names refused{"Registry key " + kUser + kRunMRU + ": leads to another place in the registry"};
  EXPECT_EQ(names(planned), Names{"Registry key " + kUser + kRunMRU});
  EXPECT_EQ(refusals(planned), refused);
  expectRunFollows(planned);
  EXPECT_EQ(machine.registry.getString(CurrentUser, "Software\\Precious", "kept"), "value");
}

TEST_F(WindowsPlans, AValueThatCannotBeDeletedIsReportedFailedAndTheListAfterItGoesAsPlanned) {
  machine.registry.setString(CurrentUser, kOpenSave, "a", "x.txt");
  machine.registry.setString(CurrentUser, kOpenSave, "b", "y.txt");
  machine.registry.setString(CurrentUser, kOpenSave, "MRUList", "ab");
  machine.registry.makeUndeletable(CurrentUser, kOpenSave, "b");
  tickOnly(OpenSave);
  EXPECT_EQ(collectChangingNothing().targets.size(), 4u);
  run();
  Names report;
  for (const erase::Target& target : app.lastRun.items.at(0).targets)
    report.push_back(std::string(erase::outcomeName(target.outcome)) + " " + target.where + " " + target.reason);
  const std::string list = kUser + kOpenSave;
  EXPECT_EQ(report, (Names{"Removed " + list + "\\a ", "Failed " + list + "\\b Permission denied",
                           "Removed " + list + "\\MRUList ", "Failed " + list + " Permission denied"}));
}

// An empty bin is nothing to empty.
TEST_F(WindowsPlans, EachBinThatHoldsSomethingIsPlannedWithItsSize) {
  machine.shell.recycleBins = {{"C:\\", 3}, {"D:\\", 0}, {"E:\\", 1}};
  machine.shell.recycleBinBytes = {{"C:\\", 4096}, {"E:\\", 100}};
  tickOnly(RecycleBin);
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(names(planned), (Names{"Recycle Bin C:\\", "Recycle Bin E:\\"}));
  EXPECT_EQ(planned.bytes(Outcome::Planned), 4196u);
  expectRunFollows(planned);
}

TEST_F(WindowsPlans, ABinTheShellCannotTellOfIsPlannedWithoutASizeAndAFailureIsReported) {
  machine.shell.recycleBins = {{"C:\\", 3}};
  machine.shell.recycleBinBytes = {{"C:\\", 4096}};
  machine.shell.recycleBinsTold = false;
  machine.shell.recycleResult = static_cast<long>(0x80004001);  // E_NOTIMPL: no SHEmptyRecycleBinA either
  tickOnly(RecycleBin);
  const erase::ItemPlan planned = collectChangingNothing();
  ASSERT_EQ(planned.targets.size(), 1u);
  EXPECT_EQ(planned.targets[0].where, "C:\\");
  EXPECT_EQ(planned.targets[0].bytes, 0u);
  run();
  ASSERT_EQ(app.lastRun.items.size(), 1u);
  ASSERT_EQ(app.lastRun.items[0].targets.size(), 1u);
  EXPECT_EQ(app.lastRun.items[0].targets[0].outcome, Outcome::Failed);
  EXPECT_EQ(app.lastRun.items[0].targets[0].reason, "the shell did not empty it (0x80004001)");
}

TEST_F(WindowsPlans, StopWhileCollectingEndsThePlanEarlyAndChangesNothing) {
  machine.system.temp = "C:\\TEMP";
  for (int i = 0; i < 40; ++i) put("C:\\TEMP\\f" + std::to_string(i) + ".tmp");
  app.frm.chkWinSettings[Temp].setValue(1);
  app.frm.chkWinSettings[Search].setValue(1);
  fillList(kSearch);
  machine.loop.at(machine.loop.tickCount() + 10, [&] { app.flags.abort = true; });
  const erase::Plan plan = collect();
  EXPECT_TRUE(plan.stopped);
  ASSERT_EQ(plan.items.size(), 1u) << "the item after the stop was walked";
  EXPECT_GT(plan.items[0].targets.size(), 0u);
  EXPECT_LT(plan.items[0].targets.size(), 40u);
  EXPECT_FALSE(app.flags.abort) << "a stopped preview leaves the next run free to start";
}

TEST_F(WindowsPlans, ARefusedTempFolderIsRefusedInThePlanAndTheReportAlike) {
  put("C:\\boot.ini");
  put("C:\\Elsewhere\\precious.doc");
  const std::pair<std::string, std::string> temps[] = {
      {"C:\\", "Folder C:\\: is a whole drive"},
      {"C:\\TEMP", "Folder C:\\TEMP: link"},
  };
  ASSERT_EQ(machine.files.makeLink("C:\\TEMP", machine.files.hostPath("C:\\Elsewhere")), 0);
  for (const auto& [temp, refusal] : temps) {
    machine.system.temp = temp;
    tickOnly(Temp);
    const erase::ItemPlan planned = collectChangingNothing();
    EXPECT_EQ(refusals(planned), Names{refusal});
    EXPECT_EQ(names(planned), Names{refusal.substr(0, refusal.find(':', 9))}) << "nothing else is planned";
    expectRunFollows(planned);
    EXPECT_EQ(refusals(app.lastRun.items[0]), Names{refusal});
  }
}

// What each file and folder of a run came to, told once per target.
class WalkReport : public WindowsPlans {
 protected:
  void SetUp() override {
    machine.system.temp = "C:\\TEMP";
    put("C:\\TEMP\\a-open.tmp", "in use");
    machine.files.lock("C:\\TEMP\\a-open.tmp");
    for (int i = 0; i < 5; ++i) put("C:\\TEMP\\b-sub\\f" + std::to_string(i) + ".tmp");
    put("C:\\TEMP\\b-sub\\readonly.tmp", "ro", platform::fileattr::ReadOnly);
    put("C:\\TEMP\\c-plain.tmp", "plain");
    tickOnly(Temp);
  }
  // The targets of the run named `where`, as "outcome: reason".
  Names outcomesOf(const std::string& where) {
    Names found;
    for (const erase::Target& target : app.lastRun.items.at(0).targets)
      if (target.where == where) found.push_back(std::string(erase::outcomeName(target.outcome)) + ": " + target.reason);
    return found;
  }
};

TEST_F(WalkReport, AFileInUseOfferedTwiceIsReportedOnceAndTheFolderItKeptAsFailed) {
  run();
  // Held open by another program, it goes when Windows next starts.
  EXPECT_EQ(outcomesOf("C:\\TEMP\\a-open.tmp"), Names{"At restart: "});
  EXPECT_EQ(outcomesOf("C:\\TEMP\\b-sub\\readonly.tmp"), Names{"Failed: Permission denied"});
  EXPECT_EQ(outcomesOf("C:\\TEMP\\b-sub"), Names{"Failed: not empty"});
  EXPECT_EQ(outcomesOf("C:\\TEMP\\b-sub\\f3.tmp"), Names{"Removed: "});
  EXPECT_EQ(outcomesOf("C:\\TEMP\\c-plain.tmp"), Names{"Removed: "});
  EXPECT_EQ(app.lastRun.items[0].targets.size(), 9u);
  EXPECT_EQ(app.lastRun.items[0].bytes(Outcome::Removed), 5u * 4u + 5u);
}

TEST_F(WalkReport, AFileLetGoOfWhileTheWalkWasBelowIsReportedOnceAsRemoved) {
  machine.loop.at(machine.loop.tickCount() + 3, [&] { machine.files.unlock("C:\\TEMP\\a-open.tmp"); });
  run();
  EXPECT_EQ(outcomesOf("C:\\TEMP\\a-open.tmp"), Names{"Removed: "});
  EXPECT_EQ(machine.files.getAttributes("C:\\TEMP\\a-open.tmp"), platform::fileattr::Invalid);
}

TEST_F(WalkReport, AStoppedRunReportsTheFileItCouldNotRemoveAndNothingAfterIt) {
  machine.loop.at(machine.loop.tickCount() + 3, [&] { app.flags.abort = true; });
  run();
  EXPECT_TRUE(app.lastRun.stopped);
  EXPECT_EQ(outcomesOf("C:\\TEMP\\a-open.tmp"), Names{"Failed: Permission denied"});
  EXPECT_EQ(outcomesOf("C:\\TEMP\\c-plain.tmp"), Names{});
  EXPECT_NE(machine.files.getAttributes("C:\\TEMP\\c-plain.tmp"), platform::fileattr::Invalid);
}

}  // namespace

namespace {

// What the user starts inside a preview's yields is no part of the preview.
class PreviewYields : public WindowsPlans {
 protected:
  void SetUp() override {
    WindowsPlans::SetUp();
    machine.system.temp = "C:\\TEMP";
    for (int i = 0; i < 40; ++i) put("C:\\TEMP\\f" + std::to_string(i) + ".tmp");
    app.frm.chkWinSettings[Temp].setValue(1);
    app.frm.chkWinSettings[Search].setValue(1);
    fillList(kSearch);
  }
};

TEST_F(PreviewYields, ASettingSavedAndAFileErasedMeanwhileAreDoneForRealAndNotPlanned) {
  put("C:\\Shred\\old.txt");
  machine.loop.at(machine.loop.tickCount() + 10, [&] {
    erase::WriteRegValue(app.run(), CurrentUser, "Software\\Quellery\\Settings", "chkRun4", "1", 1);
    erase::EraseFile(app.run(), "C:\\Shred\\old.txt");
  });
  const erase::Plan plan = app::CollectPlan(app, nullptr);
  EXPECT_EQ(machine.registry.getString(CurrentUser, "Software\\Quellery\\Settings", "chkRun4"), "1");
  EXPECT_EQ(machine.files.getAttributes("C:\\Shred\\old.txt"), platform::fileattr::Invalid);
  ASSERT_EQ(plan.items.size(), 2u);
  for (const erase::ItemPlan& item : plan.items)
    for (const erase::Target& target : item.targets) {
      EXPECT_NE(target.where, "C:\\Shred\\old.txt");
      EXPECT_NE(target.kind, erase::TargetKind::Setting) << target.where;
    }
  EXPECT_NE(machine.files.getAttributes("C:\\TEMP\\f39.tmp"), platform::fileattr::Invalid) << "the preview removed it";
}

TEST_F(PreviewYields, ASessionEndingDuringAPreviewRunsTheShutdownPassAndStopsThePreview) {
  app.frm.chkRun(2).setValue(1);  // clean when Windows shuts down
  machine.loop.at(machine.loop.tickCount() + 10, [&] { program::SessionEnding(app); });
  const erase::Plan plan = app::CollectPlan(app, nullptr);
  EXPECT_TRUE(plan.stopped);
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(machine.files.getAttributes("C:\\TEMP\\f" + std::to_string(i) + ".tmp"), platform::fileattr::Invalid)
        << "f" << i << ".tmp was left by the shutdown pass";
  EXPECT_FALSE(machine.registry.exists(CurrentUser, kSearch)) << "the second ticked item was not cleaned";
  EXPECT_FALSE(app.flags.cleaningInProgress);
  EXPECT_FALSE(app.flags.collecting);
}

}  // namespace

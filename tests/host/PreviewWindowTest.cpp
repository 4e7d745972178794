// The preview window on the simulated machine: its rows and totals, sorting, an item's
// targets, Stop, the last run's report, saving the report, a panic or a close while it
// collects; the list view model and sizes as Windows shows them.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "app/RunTotals.h"
#include "panic/Panic.h"
#include "preview/PreviewRows.h"
#include "preview/frmPreview.h"
#include "program/Startup.h"
#include "ui/ByteSize.h"
#include "ui/ListView.h"

namespace {

using erase::Outcome;
using erase::TargetKind;
using Cells = std::vector<std::string>;

TEST(ByteSize, ShowsThreeDigitsCutAndMovesOnAtAThousand) {
  const std::pair<uint64_t, const char*> cases[] = {
      {0, "0 bytes"},          {999, "999 bytes"},          {1000, "0.97 KB"},      {1536, "1.50 KB"},
      {12345, "12.0 KB"},      {123456, "120 KB"},          {1047552, "0.99 MB"},   {1048576, "1.00 MB"},
      {5368709120ull, "5.00 GB"},
  };
  for (const auto& c : cases) EXPECT_EQ(ui::byteSizeText(c.first), c.second) << c.first;
}

struct Recorder : ui::ControlObserver {
  std::vector<ui::Change> changes;
  void controlChanged(ui::Control&, ui::Change change, int) override { changes.push_back(change); }
};

TEST(ListViewModel, SortsTextAndNumbersByHeaderClicksKeepsPinnedRowsLastAndReportsToTheView) {
  ui::ListView list(nullptr, "lvw", {});
  list.setColumns({{"Name", 1000}, {"Count", 500, true}});
  auto row = [](Cells cells, bool pinned = false) {
    ui::ListView::Row r;
    r.cells = std::move(cells);
    r.pinned = pinned;
    return r;
  };
  list.setRows({row({"beta", "9"}), row({"Alpha", "10"}), row({"gamma", "1,200"}), row({"Total", "123"}, true)});
  Recorder recorder;
  ui::Control::setObserver(&recorder);
  auto column = [&](int c) {
    Cells out;
    for (int i = 0; i < list.rowCount(); ++i) out.push_back(list.text(i, c));
    return out;
  };
  list.clickHeader(1);
  EXPECT_EQ(column(1), (Cells{"9", "10", "1,200", "123"}));
  list.clickHeader(1);
  EXPECT_EQ(column(1), (Cells{"1,200", "10", "9", "123"}));
  list.clickHeader(0);
  EXPECT_EQ(column(0), (Cells{"Alpha", "beta", "gamma", "Total"}));
  EXPECT_FALSE(list.sortDescending());
  ui::Control::setObserver(nullptr);
  EXPECT_EQ(recorder.changes, (std::vector<ui::Change>{ui::Change::Rows, ui::Change::Rows, ui::Change::Rows}));

  int doubleClicks = 0;
  list.onDblClick = [&] { ++doubleClicks; };
  list.dblClick(2);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(list.selectedRow(), 2);
  list.dblClick(7);
  EXPECT_EQ(doubleClicks, 1) << "no row there";
}

erase::Target target(TargetKind kind, const std::string& where, uint64_t bytes, Outcome outcome,
                     const std::string& reason = {}) {
  return erase::Target{kind, where, bytes, outcome, reason};
}

const char kTemp[] = "Clean Windows Temp File Folder";
const char kCookies[] = "Delete Cookies";

// What a preview of two items might have collected.
erase::Plan collected() {
  erase::Plan plan;
  plan.items.push_back({7, kTemp,
                        {target(TargetKind::File, "C:\\WINDOWS\\TEMP\\a.tmp", 1000, Outcome::Planned),
                         target(TargetKind::File, "C:\\WINDOWS\\TEMP\\b.tmp", 2000, Outcome::Planned),
                         target(TargetKind::Folder, "C:\\WINDOWS\\TEMP\\old", 0, Outcome::Planned),
                         target(TargetKind::File, "C:\\WINDOWS\\TEMP\\c.tmp", 3000, Outcome::Planned),
                         target(TargetKind::File, "C:\\WINDOWS\\TEMP\\link", 0, Outcome::Refused, "a link")}});
  plan.items.push_back({12, kCookies,
                        {target(TargetKind::Cookie, "Cookie:user@example.com/", 100, Outcome::Planned),
                         target(TargetKind::Cookie, "Cookie:user@example.org/", 100, Outcome::Planned),
                         target(TargetKind::Cookie, "Cookie:user@kept.example/", 100, Outcome::Kept),
                         target(TargetKind::RegistryValue, "HKEY_CURRENT_USER\\Software\\x\\y", 0, Outcome::Planned)}});
  return plan;
}

// What a run of the same items might have done.
erase::Plan ran() {
  erase::Plan plan;
  plan.items.push_back({7, kTemp,
                        {target(TargetKind::File, "C:\\WINDOWS\\TEMP\\a.tmp", 1000, Outcome::Removed),
                         target(TargetKind::File, "C:\\WINDOWS\\TEMP\\b.tmp", 2000, Outcome::Removed),
                         target(TargetKind::File, "C:\\WINDOWS\\TEMP\\c.tmp", 3000, Outcome::Failed, "Permission denied"),
                         target(TargetKind::File, "C:\\WINDOWS\\TEMP\\link", 0, Outcome::Refused, "a link"),
                         target(TargetKind::File, "C:\\WINDOWS\\TEMP\\busy.tmp", 4096, Outcome::AtRestart)}});
  return plan;
}

TEST(PreviewRows, OneRowPerItemCountsByKindAndATotalsRow) {
  std::vector<Cells> got;
  for (const ui::ListView::Row& row : preview::planRows(collected())) got.push_back(row.cells);
  // A kept cookie is counted apart from those that go, and adds nothing to the size.
  EXPECT_EQ(got, (std::vector<Cells>{{kTemp, "3", "1", "0", "0", "0", "1", "0", "5.85 KB", ""},
                                     {kCookies, "0", "0", "1", "2", "0", "0", "1", "200 bytes", ""},
                                     {"Total", "3", "1", "1", "2", "0", "1", "1", "6.05 KB", ""}}));
  Cells captions;
  for (const auto& column : preview::planColumns()) captions.push_back(column.caption);
  EXPECT_EQ(captions,
            (Cells{"Item", "Files", "Folders", "Registry", "Entries", "Other", "Refused", "Kept", "Size", "Shared"}));
}

TEST(PreviewRows, ARunsReportCountsWhatTheTargetsCameTo) {
  std::vector<Cells> got;
  for (const ui::ListView::Row& row : preview::reportRows(ran())) got.push_back(row.cells);
  EXPECT_EQ(got, (std::vector<Cells>{{kTemp, "2", "1", "1", "0", "1", "2.92 KB"},
                                     {"Total", "2", "1", "1", "0", "1", "2.92 KB"}}));
}

// A whole file tree: names, attributes, sizes and times.
void walkTree(platform::FileSystem& files, const std::string& folder, std::map<std::string, std::string>* out) {
  std::vector<platform::FindData> entries;
  files.findFiles(folder + "\\*", &entries);
  for (const platform::FindData& e : entries) {
    if (e.name == "." || e.name == "..") continue;
    const std::string path = folder + "\\" + e.name;
    (*out)[path] = std::to_string(e.attributes) + " " + std::to_string(e.size) + " " + std::to_string(e.lastWriteTime);
    if (e.attributes & platform::fileattr::Directory) walkTree(files, path, out);
  }
}

class PreviewWindow : public ::testing::Test, protected TestApp {
 protected:
  preview::PreviewWindow& w = app.frmPreview;
  const std::vector<std::string> tempFiles = {"C:\\WINDOWS\\TEMP\\one.tmp", "C:\\WINDOWS\\TEMP\\two.tmp"};

  void SetUp() override {
    machine.files.makeFolders("C:\\WINDOWS\\TEMP");
    machine.system.temp = "C:\\WINDOWS\\TEMP\\";
    for (const std::string& path : tempFiles) ASSERT_EQ(machine.files.writeFile(path, std::string(700, 'x')), 0);
  }
  std::map<std::string, std::string> tree() {
    std::map<std::string, std::string> out;
    walkTree(machine.files, "C:", &out);
    return out;
  }
  // Opens the window with a click on the cleaning page; `whileOpen` runs in the window's
  // loop, which Close ends.
  void openWith(ui::Button& opener, const std::function<void()>& whileOpen) {
    machine.loop.at(now() + 200, [this, whileOpen] {
      if (whileOpen) whileOpen();
      w.cmdClose.click();
    });
    opener.click();
  }
  std::vector<Cells> rows(const ui::ListView& list) {
    std::vector<Cells> out;
    for (int i = 0; i < list.rowCount(); ++i) out.push_back(list.row(i).cells);
    return out;
  }
  int rowOf(const std::string& caption) {
    for (int i = 0; i < w.lvwItems.rowCount(); ++i)
      if (w.lvwItems.text(i, 0) == caption) return i;
    return -1;
  }
};

TEST_F(PreviewWindow, TheWindowsOwnCodeChangesNothingAndHandsTheMainWindowBack) {
  app.lastRun = collected();
  const auto before = tree();
  bool mainDisabledMeanwhile = false;
  openWith(app.frm.cleaning.cmdPreview, [&] {
    mainDisabledMeanwhile = !app.frm.form.enabled();
    w.cmdLastRun.click();
    w.lvwItems.clickHeader(7);
    w.lvwItems.dblClick(0);
    w.cmdCollect.click();
  });
  EXPECT_TRUE(mainDisabledMeanwhile);
  EXPECT_EQ(tree(), before);
  EXPECT_TRUE(app.frm.form.enabled());
  EXPECT_FALSE(w.loaded);
  EXPECT_FALSE(w.form.visible());
  EXPECT_EQ(w.lblHeading.caption(), "No item is ticked");
}

TEST_F(PreviewWindow, SortingKeepsTheTotalsLastAndADoubleClickListsThatItemsTargets) {
  app.lastRun = collected();
  preview::cmdLastRun_Click(app, app.frmPreview);
  // The report shows what the run did: these targets were only planned.
  EXPECT_EQ(w.lblHeading.caption(), "What the last run did");
  app.lastRun = ran();
  preview::cmdLastRun_Click(app, app.frmPreview);
  EXPECT_EQ(rows(w.lvwItems), (std::vector<Cells>{{kTemp, "2", "1", "1", "0", "1", "2.92 KB"},
                                                  {"Total", "2", "1", "1", "0", "1", "2.92 KB"}}));
  w.shown = collected();
  w.showsRun = false;
  w.lvwItems.setColumns(preview::planColumns());
  w.lvwItems.setRows(preview::planRows(w.shown));
  w.lvwItems.clickHeader(8);  // Size, smallest first
  EXPECT_EQ(w.lvwItems.text(0, 0), kCookies);
  EXPECT_EQ(w.lvwItems.text(2, 0), "Total");
  w.lvwItems.clickHeader(8);
  EXPECT_EQ(w.lvwItems.text(0, 0), kTemp);
  EXPECT_EQ(w.lvwItems.text(2, 0), "Total");

  w.lvwItems.dblClick(1);
  EXPECT_EQ(w.lblTargets.caption(), std::string(kCookies) + ": 4 targets");
  EXPECT_EQ(rows(w.lvwTargets),
            (std::vector<Cells>{{"Cookie", "Cookie:user@example.com/", "100 bytes", "To remove", ""},
                                {"Cookie", "Cookie:user@example.org/", "100 bytes", "To remove", ""},
                                {"Cookie", "Cookie:user@kept.example/", "100 bytes", "Kept", ""},
                                {"Registry value", "HKEY_CURRENT_USER\\Software\\x\\y", "0 bytes", "To remove", ""}}));
  w.lvwItems.dblClick(2);  // the totals
  EXPECT_EQ(w.lvwTargets.rowCount(), 4) << "the totals row lists nothing of its own";
}

TEST_F(PreviewWindow, StopWhileCollectingRemovesNothingAndSaysTheListIsIncomplete) {
  app.frm.chkWinSettings[7].setValue(1);  // the temp folder
  app.frm.chkWinSettings[5].setValue(1);  // the clipboard, after it
  const auto before = tree();
  bool stopEnabled = false, progressShown = false;
  machine.loop.at(now(), [&] {
    stopEnabled = w.cmdStop.enabled() && !w.cmdCollect.enabled() && !w.cmdSave.enabled();
    progressShown = w.prgCollect.visible();
    w.cmdStop.click();
  });
  openWith(app.frm.cleaning.cmdPreview, nullptr);
  EXPECT_TRUE(stopEnabled);
  EXPECT_TRUE(progressShown);
  EXPECT_EQ(tree(), before);
  EXPECT_TRUE(w.shown.stopped);
  EXPECT_EQ(w.lblHeading.caption(), "What the ticked items would remove (stopped before every ticked item was seen)");
  EXPECT_EQ(w.shown.items.size(), 1u) << "the clipboard was never walked";
  EXPECT_FALSE(app.flags.abort) << "a later run starts unstopped";
  EXPECT_FALSE(app.flags.cleaningInProgress);
  EXPECT_FALSE(w.prgCollect.visible());
}

TEST_F(PreviewWindow, AfterARunTheStatusBarSaysWhatWasFreedAndReportOpensWhatItDid) {
  EXPECT_FALSE(app.frm.cleaning.cmdReport.enabled());
  app.frm.chkWinSettings[5].setValue(1);
  app::cmdClean_Click(app);
  EXPECT_TRUE(app.frm.cleaning.cmdReport.enabled());
  EXPECT_EQ(app.frm.stBar.panelText(2).substr(0, 15), "Cleaning freed ");
  app.lastRun = ran();
  app::ShowRunTotals(app);
  EXPECT_EQ(app.frm.stBar.panelText(2), "Cleaning freed 2.92 KB; 1 file goes at the next restart");

  std::vector<Cells> shown;
  std::string heading;
  openWith(app.frm.cleaning.cmdReport, [&] {
    shown = rows(w.lvwItems);
    heading = w.lblHeading.caption();
    w.lvwItems.dblClick(0);
  });
  EXPECT_EQ(heading, "What the last run did");
  EXPECT_EQ(shown, (std::vector<Cells>{{kTemp, "2", "1", "1", "0", "1", "2.92 KB"},
                                       {"Total", "2", "1", "1", "0", "1", "2.92 KB"}}));
  EXPECT_EQ(rows(w.lvwTargets)[2], (Cells{"File", "C:\\WINDOWS\\TEMP\\c.tmp", "2.92 KB", "Failed", "Permission denied"}));
  EXPECT_EQ(rows(w.lvwTargets)[4], (Cells{"File", "C:\\WINDOWS\\TEMP\\busy.tmp", "4.00 KB", "At restart", ""}));
}

TEST_F(PreviewWindow, SaveWritesTheReportWholeBesideNoOtherFileAndAFailedSaveIsTold) {
  app.lastRun = ran();
  preview::cmdLastRun_Click(app, app.frmPreview);
  const std::string path = "C:\\Documents\\report.txt";
  machine.files.makeFolders("C:\\Documents");
  ASSERT_EQ(machine.files.writeFile(path + ".new", "someone's own file"), 0);
  machine.dialogs.saveDialogAnswer = path;
  w.cmdSave.click();
  const std::string expected =
      "Item\tKind\tTarget\tBytes\tOutcome\tReason\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\a.tmp\t1000\tRemoved\t\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\b.tmp\t2000\tRemoved\t\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\c.tmp\t3000\tFailed\tPermission denied\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\link\t0\tRefused\ta link\r\n"
      "Clean Windows Temp File Folder\tFile\tC:\\WINDOWS\\TEMP\\busy.tmp\t4096\tAt restart\t\r\n";
  std::string saved, other;
  ASSERT_EQ(machine.files.readFile(path, &saved), 0);
  EXPECT_EQ(saved, expected);
  ASSERT_EQ(machine.files.readFile(path + ".new", &other), 0);
  EXPECT_EQ(other, "someone's own file");
  ASSERT_EQ(machine.dialogs.saveDialogs.size(), 1u);
  EXPECT_EQ(machine.dialogs.saveDialogs[0].suggested, "Quellery report.txt");
  EXPECT_TRUE(machine.shell.messageBoxes.empty());

  // The disk fills up: the earlier report stays whole, no half one is left, the user is told.
  machine.files.limitWrites(40);
  w.cmdSave.click();
  ASSERT_EQ(machine.files.readFile(path, &saved), 0);
  EXPECT_EQ(saved, expected);
  EXPECT_EQ(machine.files.getAttributes(path + ".new1"), platform::fileattr::Invalid);
  ASSERT_EQ(machine.shell.messageBoxes.size(), 1u);
  EXPECT_EQ(machine.shell.messageBoxes[0].text, "The report was not saved to " + path + ": The disk is full.");

  // Cancelled: nothing written, nothing told.
  machine.dialogs.saveDialogAnswer.clear();
  w.cmdSave.click();
  EXPECT_EQ(machine.shell.messageBoxes.size(), 1u);
}

TEST_F(PreviewWindow, APanicWhileCollectingStopsTheWalkThenRunsItsOwnPassAndEnds) {
  program::Form_Load(app);
  app.frm.chkWinSettings[5].setValue(1);  // Cleaning Clipboard...
  machine.loop.at(now(), [&] { panic::Panic(app); });
  app.frm.cleaning.cmdPreview.click();
  EXPECT_TRUE(w.shown.stopped);
  const std::vector<std::string> got = lines();
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(got.end() - 3, got.end()),
            (std::vector<std::string>{"Cleaning Clipboard...", "Done...", std::string(43, ' ')}))
      << "the panic's pass cleaned for real";
  EXPECT_TRUE(app.unloaded);
  EXPECT_FALSE(app.panicking);
  EXPECT_FALSE(app.panicAfterCollecting);
  EXPECT_FALSE(w.loaded);
}

TEST_F(PreviewWindow, ClosingTheMainWindowWhileCollectingStopsTheWalkAndUnloads) {
  app.frm.chkWinSettings[7].setValue(1);
  const auto before = tree();
  machine.loop.at(now(), [&] {
    program::Form_QueryUnload(app, 0);
    program::Form_Unload(app);
  });
  app.frm.cleaning.cmdPreview.click();
  EXPECT_TRUE(app.unloaded);
  EXPECT_FALSE(w.loaded);
  EXPECT_FALSE(w.form.visible());
  EXPECT_TRUE(w.shown.stopped);
  EXPECT_FALSE(app.flags.cleaningInProgress) << "the program may end";
  for (const std::string& path : tempFiles) EXPECT_NE(machine.files.getAttributes(path), platform::fileattr::Invalid);
}

TEST_F(PreviewWindow, TheSessionEndingWhileCollectingRunsTheShutdownPassForReal) {
  app.frm.chkWinSettings[5].setValue(1);  // Cleaning Clipboard...
  bool collectingDuringThePass = true;
  machine.loop.at(now(), [&] {
    app::cleanBeforeSessionEnds(app, true);
    collectingDuringThePass = app.lastRun.items.empty();
  });
  openWith(app.frm.cleaning.cmdPreview, nullptr);
  EXPECT_FALSE(collectingDuringThePass) << "the pass reported what it did as a run does";
  ASSERT_EQ(app.lastRun.items.size(), 1u);
  EXPECT_EQ(app.lastRun.items[0].caption, std::string("Clean Clipboard"));
  EXPECT_TRUE(w.shown.stopped) << "the preview's walk stopped";
  EXPECT_FALSE(app.flags.collecting);
  EXPECT_FALSE(app.flags.cleaningInProgress);
}

}  // namespace

// Two ticked items that remove the same thing: the preview counts it once, with the first
// of them in catalogue order, and the later one lists it as also in that one; the run then
// frees what the preview's totals said.
#include <gtest/gtest.h>

#include "PlanHarness.h"
#include "app/RunTotals.h"
#include "engine/PlanReport.h"
#include "erase/SharedTargets.h"
#include "preview/PreviewRows.h"

namespace {

using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;
using erase::Outcome;
using erase::TargetKind;
using Cells = std::vector<std::string>;

enum Item { IEPasswords = 13, IEDisable = 19, NSTyped = 20, NSForms = 25 };

const std::string kIE = "Software\\Microsoft\\Internet Explorer";
const std::string kCommunicator = "C:\\Program Files\\Netscape\\Users\\default";

class SharedTargets : public ::testing::Test, protected PlanCheck {
 protected:
  // Communicator's folder, named by the machine-wide registry, on 98 where users are not
  // kept apart: the Netscape typed URLs and form data are the same four files there.
  SharedTargets() {
    machine.system.version.platformId = platform::osplatform::Windows9x;
    machine.registry.setString(LocalMachine, "Software\\Netscape\\Netscape Navigator\\Users", "CurrentUser",
                               "default");
    machine.registry.setString(LocalMachine, "Software\\Netscape\\Netscape Navigator\\Users\\default", "DirRoot",
                               kCommunicator);
    machine.files.makeFolders(kCommunicator);
  }
  void tick(std::initializer_list<Item> items) {
    tickOnly(*items.begin());
    for (Item item : items) tickBoxOf(item).setValue(1);
  }
  ui::CheckBox& tickBoxOf(Item item) { return app.frm.tick(engine::catalogue().at(item)); }
  static std::vector<Cells> cellsOf(const std::vector<ui::ListView::Row>& rows) {
    std::vector<Cells> out;
    for (const ui::ListView::Row& row : rows) out.push_back(row.cells);
    return out;
  }
  // The sort key of the totals row's last figure: the bytes to remove, or removed.
  static int64_t totalBytes(const std::vector<ui::ListView::Row>& rows, size_t column) {
    return rows.back().keys.at(column);
  }
};

TEST_F(SharedTargets, APreviewCountsWhatTwoItemsRemoveOnceAndTheRunFreesThatMuch) {
  ASSERT_EQ(0, machine.files.writeFile(kCommunicator + "\\FieldSchema.tbl", std::string(600, 'f')));
  ASSERT_EQ(0, machine.files.writeFile(kCommunicator + "\\SchemaValue.tbl", std::string(400, 'v')));
  // The saved passwords lie in the form data's key; both switches are on.
  machine.registry.setString(CurrentUser, kIE + "\\IntelliForms\\SPW", "site", "secret");
  machine.registry.setString(CurrentUser, kIE + "\\Main", "Use FormSuggest", "yes");
  tick({IEPasswords, IEDisable, NSTyped, NSForms});

  const erase::Plan plan = collect();
  const std::vector<ui::ListView::Row> rows = preview::planRows(plan);
  // 600 + 400 bytes of files once, and "no" written to the two switches: 1,004 bytes.
  EXPECT_EQ(cellsOf(rows),
            (std::vector<Cells>{
                {"Clean AutoComplete Password Data", "0", "0", "1", "0", "0", "0", "0", "0 bytes", ""},
                {"Disable AutoComplete", "0", "0", "0", "0", "2", "0", "0", "4 bytes",
                 "also in Clean AutoComplete Password Data"},
                {"Clean Netscape Typed URL", "2", "0", "0", "0", "0", "0", "0", "0.97 KB", ""},
                {"Clean Netscape AutoComplete Form", "0", "0", "0", "0", "0", "0", "0", "0 bytes",
                 "also in Clean Netscape Typed URL"},
                {"Total", "2", "0", "1", "0", "2", "0", "0", "0.98 KB", ""}}));
  EXPECT_EQ(totalBytes(rows, 8), 1004);
  ASSERT_EQ(plan.items.size(), 4u);
  EXPECT_EQ(cellsOf(preview::targetRows(plan.items[3])),
            (std::vector<Cells>{
                {"File", kCommunicator + "\\FieldSchema.tbl", "600 bytes", "Shared",
                 "also in Clean Netscape Typed URL"},
                {"File", kCommunicator + "\\SchemaValue.tbl", "400 bytes", "Shared",
                 "also in Clean Netscape Typed URL"}}));
  const std::string spw = "HKEY_CURRENT_USER\\" + kIE + "\\IntelliForms\\SPW";
  EXPECT_NE(engine::ReportText(plan).find("Disable AutoComplete\tRegistry key\t" + spw +
                                          "\t0\tShared\talso in Clean AutoComplete Password Data\r\n"),
            std::string::npos)
      << engine::ReportText(plan);

  run();
  const std::vector<ui::ListView::Row> report = preview::reportRows(app.lastRun);
  EXPECT_EQ(totalBytes(report, 6), 1004);
  app::ShowRunTotals(app);
  EXPECT_EQ(app.frm.stBar.panelText(2), "Cleaning freed 0.98 KB");
}

// What lies in a folder or key an earlier item removes goes with it, whatever the case of
// its name; what a guard kept there is removed by nobody, so a later item owns it.
TEST(SharedTargetsOfAPlan, GoWithTheFirstItemThatRemovesThemOrWhatHoldsThem) {
  erase::Plan plan;
  plan.items.push_back({7, "Temp",
                        {{TargetKind::Folder, "C:\\TEMP\\old", 0, Outcome::Planned, ""},
                         {TargetKind::File, "C:\\TEMP\\kept.tmp", 0, Outcome::Refused, "hidden or system"},
                         {TargetKind::RegistryKey, "HKEY_CURRENT_USER\\Software\\Lists", 0, Outcome::Planned, ""}}});
  plan.items.push_back({8, "Lists",
                        {{TargetKind::RegistryValue, "HKEY_CURRENT_USER\\SOFTWARE\\lists\\MRU\\a", 3,
                          Outcome::Planned, ""},
                         {TargetKind::RegistryKey, "HKEY_CURRENT_USER\\Software\\Listsmore", 0, Outcome::Planned,
                          ""}}});
  plan.items.push_back({9, "Files",
                        {{TargetKind::File, "c:\\temp\\OLD\\a.tmp", 10, Outcome::Planned, ""},
                         {TargetKind::File, "C:\\TEMP\\kept.tmp", 20, Outcome::Planned, ""},
                         {TargetKind::File, "C:\\TEMP\\old.txt", 30, Outcome::Planned, ""}}});
  plan.items.push_back({10, "More files", {{TargetKind::File, "C:\\TEMP\\kept.tmp", 20, Outcome::Planned, ""}}});
  erase::MarkSharedTargets(plan);
  Cells got;
  for (const erase::ItemPlan& item : plan.items)
    for (const erase::Target& target : item.targets)
      got.push_back(item.caption + ": " + erase::outcomeName(target.outcome) + " " + target.reason);
  EXPECT_EQ(got, (Cells{"Temp: To remove ", "Temp: Refused hidden or system", "Temp: To remove ",
                        "Lists: Shared also in Temp", "Lists: To remove ",
                        "Files: Shared also in Temp", "Files: To remove ", "Files: To remove ",
                        "More files: Shared also in Files"}));
}

}  // namespace

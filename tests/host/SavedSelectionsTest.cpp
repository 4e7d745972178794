#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "TestApp.h"
#include "panic/PanicKey.h"
#include "program/SavedSelections.h"
#include "program/Startup.h"
#include "report/RuntimeError.h"
#include "settings/SettingsStore.h"
#include "settings/ValueText.h"

using platform::hkey::CurrentUser;

namespace {

const char* const kLastHistory = "Software\\Quellery\\Settings\\LastHistory";
const char* const kMViewer = "Software\\Quellery\\Settings\\MViewer";
const char* const kPanic = "Software\\Quellery\\Settings\\panic";

class SavedSelections : public ::testing::Test, protected TestApp {
 protected:
  void seed(const std::string& key, const std::string& text, const char* path = kLastHistory) {
    machine.registry.setString(CurrentUser, path, key, text);
  }
  // The stored text without the terminating zero.
  std::string stored(const std::string& key, const char* path = kLastHistory) {
    const std::string raw = machine.registry.getString(CurrentUser, path, key);
    return raw.substr(0, raw.find('\0'));
  }
  // A second program on the same machine, as after a restart.
  std::unique_ptr<program::App> restart() { return std::make_unique<program::App>(machine.platform()); }

  static std::vector<ui::ControlArray<ui::CheckBox>*> itemArrays(program::App& a) {
    return {&a.frm.chkWinSettings, &a.frm.chkIEsettings, &a.frm.chkNSsettings, &a.frm.chkOPsettings,
            &a.frm.itemPage(engine::CleaningGroup::Applications).items};
  }
};

TEST_F(SavedSelections, FirstStartWithAnEmptyStoreGivesEveryDefault) {
  app.minuteCounter = 7;
  program::Form_Load(app);
  app::MainWindow& f = app.frm;
  for (auto* ticks : itemArrays(app))
    for (ui::CheckBox& box : *ticks) EXPECT_EQ(box.value(), 0) << box.name() << box.index();
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(f.chkRun(i).value(), 0) << i;
  EXPECT_EQ(f.Check1.value(), 0);
  EXPECT_EQ(f.txtMin.text(), "10");
  EXPECT_FALSE(f.OptSchedule[0].value());
  EXPECT_FALSE(f.OptSchedule[1].value());
  for (ui::CheckBox& kind : f.chkSchedule) EXPECT_EQ(kind.value(), 0);
  EXPECT_EQ(f.dtpTime.hour(), 12);
  EXPECT_EQ(f.dtpTime.minute(), 0);
  EXPECT_EQ(f.dtpWeek.hour(), 12);
  EXPECT_EQ(f.dtpWeek.minute(), 0);
  EXPECT_EQ(f.cmbWeek.text(), "SUN");
  EXPECT_EQ(f.cmbMonth.text(), "JAN");
  EXPECT_EQ(app.panicKey, 122);
  EXPECT_EQ(f.cmbPanic.text(), "F11");
  EXPECT_EQ(app.startInvisibly, "0");
  EXPECT_TRUE(f.form.visible());
  for (const char* branch : {"Main", "Main Settings", "Browser", "Advance Settings", "Help"})
    EXPECT_TRUE(f.tvw1.node(f.tvw1.find(branch)).expanded) << branch;
  // The scheduler clock runs from the end of the restore, counting from zero.
  EXPECT_EQ(f.timerScheduler.interval(), 60000u);
  EXPECT_TRUE(f.timerScheduler.enabled());
  EXPECT_TRUE(machine.loop.timerActive(&f.timerScheduler));
  EXPECT_EQ(app.minuteCounter, 0);
}

TEST_F(SavedSelections, EverySettingSurvivesARestart) {
  program::Form_Load(app);
  app::MainWindow& f = app.frm;
  int n = 0;
  for (auto* ticks : itemArrays(app))
    for (ui::CheckBox& box : *ticks) box.setValue(n++ % 3 == 0 ? 1 : 0);
  f.opera.items[2].setValue(2);
  f.Check1.setValue(1);
  f.chkRun(0).setValue(1);
  f.chkRun(2).setValue(1);
  f.chkRun(4).setValue(1);
  f.txtMin.setText("25");
  f.OptSchedule[1].setValue(true);
  f.chkSchedule[0].setValue(1);
  f.chkSchedule[2].setValue(1);
  f.dtpTime.setTime(7, 5);
  f.dtpWeek.setTime(23, 59);
  f.cmbWeek.setListIndex(2);
  f.cmbMonth.setListIndex(11);
  f.cmbPanic.setText("F12");
  f.startUp.cmbPanOK.click();
  f.tvw1.setExpanded(f.tvw1.find("Browser"), false);
  f.tvw1.setExpanded(f.tvw1.find("Help"), false);
  program::Form_Unload(app);

  auto again = restart();
  program::Form_Load(*again);
  app::MainWindow& g = again->frm;
  const auto before = itemArrays(app), after = itemArrays(*again);
  for (size_t a = 0; a < before.size(); ++a)
    for (size_t i = 0; i < before[a]->size(); ++i)
      EXPECT_EQ((*after[a])[i].value(), (*before[a])[i].value()) << (*before[a])[i].name() << i;
  EXPECT_EQ(g.Check1.value(), 1);
  EXPECT_EQ(g.chkRun(0).value(), 1);
  EXPECT_TRUE(g.chkRun(0).enabled());
  EXPECT_EQ(again->startInvisibly, "1");
  EXPECT_EQ(g.chkRun(1).value(), 0);
  EXPECT_EQ(g.chkRun(2).value(), 1);
  EXPECT_EQ(g.chkRun(3).value(), 0);
  EXPECT_EQ(g.chkRun(4).value(), 1);
  EXPECT_EQ(g.txtMin.text(), "25");
  EXPECT_FALSE(g.OptSchedule[0].value());
  EXPECT_TRUE(g.OptSchedule[1].value());
  EXPECT_EQ(g.chkSchedule[0].value(), 1);
  EXPECT_EQ(g.chkSchedule[1].value(), 0);
  EXPECT_EQ(g.chkSchedule[2].value(), 1);
  EXPECT_EQ(g.dtpTime.hour(), 7);
  EXPECT_EQ(g.dtpTime.minute(), 5);
  EXPECT_EQ(g.dtpWeek.hour(), 23);
  EXPECT_EQ(g.dtpWeek.minute(), 59);
  EXPECT_EQ(g.cmbWeek.text(), "TUE");
  EXPECT_EQ(g.cmbMonth.text(), "DEC");
  EXPECT_EQ(again->panicKey, 123);
  EXPECT_EQ(g.cmbPanic.text(), "F12");
  EXPECT_FALSE(g.tvw1.node(g.tvw1.find("Browser")).expanded);
  EXPECT_FALSE(g.tvw1.node(g.tvw1.find("Help")).expanded);
  EXPECT_TRUE(g.tvw1.node(g.tvw1.find("Main Settings")).expanded);
  // The timed rule's controls are live again after the restore.
  EXPECT_TRUE(g.chkSchedule[0].enabled());
  EXPECT_FALSE(g.txtMin.enabled());
}

TEST_F(SavedSelections, ValuesAreWrittenAsTextInTheirFormsAndOrder) {
  program::Form_Load(app);
  app.frm.dtpTime.setTime(7, 0);
  app.frm.OptSchedule[0].setValue(true);
  app.frm.chkRun(4).setValue(1);
  program::saveLastSelection(app);

  std::vector<std::string> expected;
  const std::pair<const char*, int> arrays[] = {{"chkIEsettings", 10}, {"chkNSsettings", 6}, {"chkOPsettings", 6},
                                                {"chkWinSettings", 10}, {"chkFFsettings", 6}, {"chkCRsettings", 6},
                                                {"chkSFsettings", 4}, {"chkAPsettings", 21}};
  for (const auto& [array, count] : arrays)
    for (int i = 0; i < count; ++i) expected.push_back(array + std::to_string(i));
  for (const char* key : {"chkRun0", "chkRun1", "chkRun2", "chkRun3", "chkRun4", "txtMin", "OptSchedule0",
                          "OptSchedule1", "chkSchedule0", "chkSchedule1", "chkSchedule2", "chk1", "dtpHr",
                          "dtpMin", "dtpWHr", "dtpWMin", "Main", "Settings", "Browser", "Advance", "Help",
                          "BookMarkE", "BookMarkD", "chkOverwrite", "cmbOver"})
    expected.push_back(key);
  EXPECT_EQ(machine.registry.valueNames(CurrentUser, kLastHistory), expected);

  uint32_t type = 0;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(machine.registry.get(CurrentUser, kLastHistory, "dtpHr", &type, &bytes));
  EXPECT_EQ(type, platform::regtype::String);
  EXPECT_EQ(stored("dtpHr"), "7");
  EXPECT_EQ(stored("dtpMin"), "0");
  EXPECT_EQ(stored("chkRun4"), "1");
  EXPECT_EQ(stored("OptSchedule0"), "True");
  EXPECT_EQ(stored("OptSchedule1"), "False");
  EXPECT_EQ(stored("txtMin"), "10");
  EXPECT_EQ(stored("Main"), "True");
  // The customisation dialog was never opened: its buttons go back as they were read.
  EXPECT_EQ(stored("BookMarkE"), "True");
  EXPECT_EQ(stored("BookMarkD"), "False");
}

TEST_F(SavedSelections, AClosedCustomisationDialogWritesBackWhatItRead) {
  seed("BookMarkE", "False");
  seed("BookMarkD", " True ");
  program::saveLastSelection(app);
  EXPECT_EQ(stored("BookMarkE"), "False");
  EXPECT_EQ(stored("BookMarkD"), "True");
}

TEST_F(SavedSelections, TheOverwriteTickIsOffUntilSavedAndComesBackWithTheShredderLevel) {
  program::Form_Load(app);
  EXPECT_EQ(app.frm.startUp.chkOverwrite.value(), 0);
  EXPECT_EQ(app.frm.cmbOver.listIndex(), 2);  // Medium
  app.frm.startUp.chkOverwrite.setValue(1);
  app.frm.cmbOver.setListIndex(0);
  program::saveLastSelection(app);
  EXPECT_EQ(stored("chkOverwrite"), "1");
  EXPECT_EQ(stored("cmbOver"), "0");

  app.frm.startUp.chkOverwrite.setValue(0);
  app.frm.cmbOver.setListIndex(3);
  program::Form_Load(app);
  EXPECT_EQ(app.frm.startUp.chkOverwrite.value(), 1);
  EXPECT_EQ(app.frm.cmbOver.listIndex(), 0);

  // A level the list does not hold leaves the list's own.
  seed("cmbOver", "9");
  program::Form_Load(app);
  EXPECT_EQ(app.frm.cmbOver.listIndex(), 2);
}

TEST_F(SavedSelections, TheListsSaveTheirPositionAsSoonAsTheyChange) {
  app.frm.cmbWeek.setListIndex(4);
  app.frm.cmbMonth.setListIndex(6);
  EXPECT_EQ(stored("CmbListIndexW", kMViewer), "4");
  EXPECT_EQ(stored("CmbListIndexM", kMViewer), "6");
}

TEST_F(SavedSelections, BadStoredValuesLeaveTheirControlAndTheRestRestores) {
  app::MainWindow& f = app.frm;
  f.chkWinSettings[4].setValue(1);
  f.chkSchedule[1].setValue(1);
  f.chkSchedule[2].setValue(1);
  f.chkRun(3).setValue(1);
  f.cmbMonth.setListIndex(3);
  seed("chkWinSettings3", "x1");   // no leading number: counts as 0
  seed("chkWinSettings4", "7");    // not a tick value
  seed("chkWinSettings5", " 1 ");
  seed("chkSchedule1", "abc");
  seed("chkSchedule2", "");
  seed("dtpHr", "99");
  seed("dtpMin", "30");
  seed("dtpWHr", "");
  seed("dtpWMin", "45");
  seed("OptSchedule0", "maybe");
  seed("CmbListIndexW", "7", kMViewer);
  seed("CmbListIndexM", "12", kMViewer);
  seed("panKey", "0", kPanic);  // no key has code 0: it would silently disarm the panic key
  machine.registry.set(CurrentUser, kLastHistory, "chkRun3", platform::regtype::Binary, {1, 0});
  seed("chkRun2", "1");

  program::getLastSettings(app);
  EXPECT_EQ(f.chkWinSettings[3].value(), 0);
  EXPECT_EQ(f.chkWinSettings[4].value(), 1);
  EXPECT_EQ(f.chkWinSettings[5].value(), 1);
  EXPECT_EQ(f.chkSchedule[1].value(), 1);
  EXPECT_EQ(f.chkSchedule[2].value(), 1);
  EXPECT_EQ(f.dtpTime.hour(), 12);
  EXPECT_EQ(f.dtpTime.minute(), 30);
  EXPECT_EQ(f.dtpWeek.hour(), 12);
  EXPECT_EQ(f.dtpWeek.minute(), 45);
  EXPECT_FALSE(f.OptSchedule[0].value());
  EXPECT_EQ(f.cmbWeek.listIndex(), -1);
  EXPECT_EQ(f.cmbMonth.text(), "APR");
  EXPECT_EQ(app.panicKey, 122);
  EXPECT_EQ(f.chkRun(3).value(), 1);
  EXPECT_EQ(f.chkRun(2).value(), 1);
  EXPECT_EQ(f.timerScheduler.interval(), 60000u);
}

// The key the list and the hint name is the key that panics: a stored key the list does
// not offer gives way to the default F11.
TEST_F(SavedSelections, AStoredPanicKeyOutsideTheListIsRefusedForF11) {
  const struct {
    const char* stored;
    int inForce;
    const char* shown;
  } cases[] = {{"112", 122, "F11"}, {"65", 122, "F11"}, {"124", 122, "F11"}, {"113", 113, "F2"}, {"118", 118, "F7"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    seed("panKey", c.stored, kPanic);
    const std::unique_ptr<program::App> started = restart();
    program::Form_Load(*started);
    EXPECT_EQ(started->panicKey, c.inForce);
    EXPECT_EQ(started->frm.cmbPanic.text(), c.shown);
    started->panicHintKeyNext = true;
    panic::timPanic_Timer(*started);
    EXPECT_EQ(started->frm.cleaning.lblPanic.caption(), std::string("Ctrl+") + c.shown);
  }
}

TEST_F(SavedSelections, OnlyExactlyOneAfterTrimmingStartsInvisibly) {
  seed("chk1", "1");
  seed("chkRun0", " 1 ");
  program::Form_Load(app);
  EXPECT_EQ(app.startInvisibly, "1");
  EXPECT_EQ(app.frm.chkRun(0).value(), 1);

  seed("chkRun0", "01");
  auto again = restart();
  program::Form_Load(*again);
  EXPECT_EQ(again->frm.chkRun(0).value(), 1);
  EXPECT_TRUE(again->frm.form.visible());
}

TEST_F(SavedSelections, Check1UntickedRestoresChkRun0UntickedAndDisabled) {
  seed("chk1", "0");
  seed("chkRun0", "1");
  program::Form_Load(app);
  EXPECT_EQ(app.frm.chkRun(0).value(), 0);
  EXPECT_FALSE(app.frm.chkRun(0).enabled());

  // And from the user's side: ticking Check1 allows it, unticking clears it.
  app.frm.Check1.setValue(1);
  EXPECT_TRUE(app.frm.chkRun(0).enabled());
  app.frm.chkRun(0).setValue(1);
  app.frm.Check1.setValue(0);
  EXPECT_EQ(app.frm.chkRun(0).value(), 0);
  EXPECT_FALSE(app.frm.chkRun(0).enabled());
}

TEST_F(SavedSelections, SelectAllAndDeselectAllWorkOnEachItemPageAndStoreNothing) {
  app::ItemPage* pages[] = {&app.frm.windows, &app.frm.ie, &app.frm.netscape, &app.frm.opera};
  for (app::ItemPage* page : pages) {
    SCOPED_TRACE(page->frame.name());
    page->items.back().setValue(2);
    page->selectAll.click();
    for (ui::CheckBox& box : page->items) EXPECT_EQ(box.value(), 1);
    page->deselectAll.click();
    for (ui::CheckBox& box : page->items) EXPECT_EQ(box.value(), 0);
  }
  // Only the other pages stay as they were.
  app.frm.opera.selectAll.click();
  for (ui::CheckBox& box : app.frm.chkWinSettings) EXPECT_EQ(box.value(), 0);
  EXPECT_TRUE(machine.registry.valueNames(CurrentUser, kLastHistory).empty());
}

TEST_F(SavedSelections, TheSchedulingSwitchGovernsThePage) {
  app::MainWindow& f = app.frm;
  f.chkRun(4).setValue(1);
  EXPECT_TRUE(f.OptSchedule[0].enabled());
  f.OptSchedule[0].setValue(true);
  EXPECT_TRUE(f.txtMin.enabled());
  EXPECT_TRUE(f.UpDown1.enabled());
  EXPECT_FALSE(f.chkSchedule[0].enabled());
  f.OptSchedule[1].setValue(true);
  EXPECT_FALSE(f.txtMin.enabled());
  EXPECT_TRUE(f.dtpTime.enabled());
  EXPECT_TRUE(f.cmbWeek.enabled());
  f.chkRun(4).setValue(0);
  EXPECT_FALSE(f.OptSchedule[0].value() || f.OptSchedule[1].value());
  for (ui::Control* c : std::initializer_list<ui::Control*>{&f.OptSchedule[1], &f.chkSchedule[0], &f.dtpTime,
                                                            &f.cmbWeek, &f.dtpWeek, &f.cmbMonth, &f.txtMin})
    EXPECT_FALSE(c->enabled()) << c->name();
}

TEST(SettingsStore, MissingGivesTheDefaultAndTextComesBackAsWritten) {
  platform::sim::SimMachine machine;
  platform::Registry& reg = machine.registry;
  EXPECT_EQ(settings::GetSetting(reg, "Quellery", "LastHistory", "txtMin", "10"), "10");
  settings::SaveSetting(reg, "Quellery", "LastHistory", "txtMin", " 5 min");
  EXPECT_EQ(settings::GetSetting(reg, "Quellery", "LastHistory", "txtMin", "10"), " 5 min");
  EXPECT_EQ(settings::GetSetting(reg, "Quellery", "LastHistory", "other", "d"), "d");
  EXPECT_EQ(settings::GetSetting(reg, "Quellery", "MViewer", "txtMin", "d"), "d");
  // Written by another tool without a terminating zero, or with text after one.
  machine.registry.setString(CurrentUser, kLastHistory, "bare", "abc");
  EXPECT_EQ(settings::GetSetting(reg, "Quellery", "LastHistory", "bare", ""), "abc");
  machine.registry.set(CurrentUser, kLastHistory, "cut", platform::regtype::String, {'a', 0, 'b'});
  EXPECT_EQ(settings::GetSetting(reg, "Quellery", "LastHistory", "cut", ""), "a");
  machine.registry.setDword(CurrentUser, kLastHistory, "number", 1);
  EXPECT_THROW(settings::GetSetting(reg, "Quellery", "LastHistory", "number", "0"), report::RuntimeError);
  EXPECT_EQ(machine.registry.openHandles(), 0u);
}

TEST(SettingsStore, ASectionOpenedOnceReadsLongTextWholeAndFailsPerValue) {
  platform::sim::SimMachine machine;
  platform::Registry& reg = machine.registry;
  const std::string longText(700, 'x');
  settings::SaveSetting(reg, "Quellery", "LastHistory", "long", longText);
  settings::SaveSetting(reg, "Quellery", "LastHistory", "short", "1");
  machine.registry.setDword(CurrentUser, kLastHistory, "number", 1);
  machine.registry.calls.clear();
  {
    settings::SettingsSection section(reg, "Quellery", "LastHistory");
    EXPECT_EQ(section.get("long", ""), longText);
    EXPECT_THROW(section.get("number", "0"), report::RuntimeError);
    EXPECT_EQ(section.get("short", "0"), "1");  // a failed read leaves the next one whole
    EXPECT_EQ(section.get("missing", "d"), "d");
  }
  EXPECT_EQ(std::count_if(machine.registry.calls.begin(), machine.registry.calls.end(),
                          [](const std::string& call) { return call.rfind("RegOpenKeyExA", 0) == 0; }),
            1);
  EXPECT_EQ(machine.registry.openHandles(), 0u);
  settings::SettingsSection absent(reg, "Quellery", "NoSuchSection");
  EXPECT_EQ(absent.get("short", "d"), "d");
}

TEST(ValueText, LenientAndStrictNumbersAndTruthValues) {
  using namespace settings;
  EXPECT_EQ(leadingNumber("12abc"), 12);
  EXPECT_EQ(leadingNumber(" 1 2"), 12);
  EXPECT_EQ(leadingNumber("&H1F"), 31);
  EXPECT_EQ(leadingNumber("abc"), 0);
  double v = 0;
  EXPECT_TRUE(parseNumber(" 01 ", &v) && v == 1);
  EXPECT_FALSE(parseNumber("1x", &v));
  EXPECT_FALSE(parseNumber("", &v));
  int i = 0;
  EXPECT_TRUE(roundToInt(2.5, &i) && i == 2);  // halves go to the even neighbour
  EXPECT_TRUE(roundToInt(1.5, &i) && i == 2);
  EXPECT_FALSE(roundToInt(1e12, &i));
  bool b = false;
  EXPECT_TRUE(toBool(" FALSE ", &b) && !b);
  EXPECT_TRUE(toBool("-1", &b) && b);
  EXPECT_FALSE(toBool("yes", &b));
}

}  // namespace

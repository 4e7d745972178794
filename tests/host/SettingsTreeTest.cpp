#include <gtest/gtest.h>

#include <memory>

#include "TestApp.h"
#include "program/SavedSelections.h"
#include "program/SettingsTree.h"
#include "program/Startup.h"

using platform::hkey::CurrentUser;

namespace {

const char* const kLastHistory = "Software\\Quellery\\Settings\\LastHistory";

class SettingsTree : public ::testing::Test, protected TestApp {
 protected:
  ui::TreeView& tree() { return app.frm.tvw1; }
  int node(const char* text) { return tree().find(text); }
  void click(const char* text) {
    ASSERT_NE(node(text), 0) << text;
    tree().clickNode(node(text));
  }
};

// Records whether each branch was expanded before its first child appeared.
struct OrderWatch : ui::ControlObserver {
  std::vector<std::string> events;
  void controlChanged(ui::Control& control, ui::Change change, int detail) override {
    auto& tree = static_cast<ui::TreeView&>(control);
    if (change == ui::Change::NodeAdded) events.push_back("add " + tree.node(detail).text);
    if (change == ui::Change::NodeExpanded) events.push_back("expand " + tree.node(detail).text);
  }
};

TEST_F(SettingsTree, BranchesTakeTheirSavedStateBeforeTheirChildren) {
  app.treeStates.Settings = "False";
  app.treeStates.Advance = "maybe";  // unreadable: stays collapsed
  app.treeStates.Help = " true ";
  OrderWatch watch;
  ui::Control::setObserver(&watch);
  program::BuildSettingsTree(app);
  ui::Control::setObserver(nullptr);

  const auto at = [&](const std::string& event) {
    return std::find(watch.events.begin(), watch.events.end(), event) - watch.events.begin();
  };
  EXPECT_EQ(at("expand Main"), at("add Main") + 1);
  EXPECT_EQ(at("expand Browser"), at("add Browser") + 1);
  EXPECT_EQ(at("expand Help"), at("add Help") + 1);
  EXPECT_TRUE(tree().node(node("Main")).expanded);
  EXPECT_FALSE(tree().node(node("Main Settings")).expanded);
  EXPECT_TRUE(tree().node(node("Browser")).expanded);
  EXPECT_FALSE(tree().node(node("Advance Settings")).expanded);
  EXPECT_TRUE(tree().node(node("Help")).expanded);
}

TEST_F(SettingsTree, EveryNodeBringsItsPageForwardWithItsStatusText) {
  program::Form_Load(app);
  app::MainWindow& f = app.frm;
  struct Row {
    const char* node;
    ui::Frame* page;
    const char* status;
  };
  const Row rows[] = {
      {"Windows", &f.windows.frame, "Displaying Windows Settings...."},
      {"IE", &f.ie.frame, "Displaying IE Settings...."},
      {"Netscape", &f.netscape.frame, "Displaying Netscape Settings...."},
      {"Browser", &f.ie.frame, "Displaying IE Settings...."},
      {"Advance Settings", &f.schedule.FraSchedule, "Displaying Schedule Settings...."},
      {"Main Settings", &f.windows.frame, "Displaying  Windows Settings...."},
      {"Opera", &f.opera.frame, "Displaying Opera Settings...."},
      {"Upgrade", &f.fraUpgrade, "Displaying Upgrade Settings...."},
      {"Schedule", &f.schedule.FraSchedule, "Displaying Schedule Settings...."},
      {"Run Settings", &f.startUp.fraRun, "Displaying Start Up Run Settings...."},
      {"Hardware Info", &f.fraHardware, "Displaying Hardware Information...."},
      {"Help", &f.help.fraHelp, "Displaying Help Information...."},
      {"Main", &f.cleaning.fraCleaning, "Welcome To Quellery"},
      {"Shredder", &f.fraCustomItems, "Displaying Shredder"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.node);
    f.stBar.setPanelText(2, "");
    const uint64_t dispatched = machine.loop.dispatchCount();
    click(row.node);
    EXPECT_EQ(f.frontPage(), row.page);
    EXPECT_TRUE(row.page->inFront());
    EXPECT_EQ(f.stBar.panelText(2), row.status);
    // Only the shredder lets waiting events run: once as its list loads, once after.
    EXPECT_EQ(machine.loop.dispatchCount() - dispatched, std::string(row.node) == "Shredder" ? 2u : 0u);
  }
}

TEST_F(SettingsTree, LetterCaseIsIgnoredExceptForIE) {
  program::Form_Load(app);
  app::MainWindow& f = app.frm;
  const int shouting = tree().add(0, "BROWSER", 4);
  const int mixed = tree().add(0, "wInDoWs", 3);
  const int small = tree().add(0, "ie", 5);
  tree().clickNode(shouting);
  EXPECT_EQ(f.frontPage(), &f.ie.frame);
  tree().clickNode(mixed);
  EXPECT_EQ(f.frontPage(), &f.windows.frame);
  EXPECT_EQ(f.stBar.panelText(2), "Displaying Windows Settings....");
  tree().clickNode(small);  // matches nothing: the Windows page stays
  EXPECT_EQ(f.frontPage(), &f.windows.frame);
  EXPECT_EQ(f.stBar.panelText(2), "Displaying Windows Settings....");
}

TEST_F(SettingsTree, ExpandAndCollapseStoreOnlyTheFiveBranchStates) {
  program::BuildSettingsTree(app);
  tree().setExpanded(node("Browser"), false);
  EXPECT_EQ(app.treeStates.Browser, "False");
  tree().setExpanded(node("Browser"), true);
  EXPECT_EQ(app.treeStates.Browser, "True");
  tree().setExpanded(node("Advance Settings"), false);
  EXPECT_EQ(app.treeStates.Advance, "False");
  // A leaf that is opened changes no stored state.
  const app::TreeStates before = app.treeStates;
  tree().setExpanded(node("IE"), true);
  tree().setExpanded(node("Hardware Info"), true);
  for (auto state : {&app::TreeStates::Main, &app::TreeStates::Settings, &app::TreeStates::Browser,
                     &app::TreeStates::Advance, &app::TreeStates::Help})
    EXPECT_EQ(app.treeStates.*state, before.*state);
}

TEST_F(SettingsTree, ACollapsedBrowserStaysCollapsedAfterARestart) {
  program::Form_Load(app);
  tree().setExpanded(node("Browser"), false);
  program::Form_Unload(app);
  EXPECT_EQ(machine.registry.getString(CurrentUser, kLastHistory, "Browser").substr(0, 5), "False");

  program::App again(machine.platform());
  program::Form_Load(again);
  ui::TreeView& t = again.frm.tvw1;
  EXPECT_FALSE(t.node(t.find("Browser")).expanded);
  EXPECT_TRUE(t.node(t.find("Main Settings")).expanded);
  EXPECT_TRUE(t.node(t.find("Main")).expanded);
}

}  // namespace

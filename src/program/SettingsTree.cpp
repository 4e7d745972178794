#include "program/SettingsTree.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "engine/Catalogue.h"
#include "platform/NameCase.h"
#include "program/App.h"
#include "report/RuntimeError.h"
#include "settings/ValueText.h"
#include "shredder/Shredder.h"
#include "sysinfo/HardwareInfo.h"

namespace program {

namespace {

// The stored state of a branch node, null for the others.
std::string* stateOf(App& app, const std::string& text) {
  app::TreeStates& s = app.treeStates;
  if (text == "Main") return &s.Main;
  if (text == "Main Settings") return &s.Settings;
  if (text == "Browser") return &s.Browser;
  if (text == "Advance Settings") return &s.Advance;
  if (text == "Help") return &s.Help;
  return nullptr;
}

void storeState(App& app, int node) {
  report::resumeNext([&] {
    const ui::TreeView::Node& n = app.frm.tvw1.node(node);
    if (std::string* state = stateOf(app, n.text)) *state = n.expanded ? "True" : "False";
  });
}

}  // namespace

void BuildSettingsTree(App& app) {
  ui::TreeView& tree = app.frm.tvw1;
  struct Row {
    const char* text;
    int parent;
    int image;
    std::optional<engine::CleaningGroup> group = {};  // a page of items, shown once it has one
  };
  using G = engine::CleaningGroup;
  // Hardware Info comes last, below Help, so the other nodes keep their numbers; a user
  // looks for it among the top-level pages.
  static const Row rows[] = {
      {"Main", 0, 1},     {"Main Settings", 1, 2},     {"Windows", 2, 3},   {"Browser", 2, 4},
      {"IE", 4, 5},       {"Netscape", 4, 6},          {"Opera", 4, 7},     {"Shredder", 1, 12},
      {"Advance Settings", 1, 2}, {"Schedule", 9, 8},  {"Run Settings", 9, 11}, {"Upgrade", 1, 9},
      {"Help", 1, 10},    {"Hardware Info", 1, kHardwareIcon},
      // The later pages come after, for the same reason.
      {"Firefox", 4, 4, G::Firefox}, {"Chrome", 4, 4, G::Chrome}, {"Safari", 4, 4, G::Safari},
      {"Applications", 2, 3, G::Applications}, {"Cookies", 4, 5},
  };
  auto hasItems = [](G group) {
    for (const engine::CleaningItem& item : engine::catalogue())
      if (item.group == group) return true;
    return false;
  };
  for (const Row& row : rows) {
    if (row.group && !hasItems(*row.group)) continue;
    const int node = tree.add(row.parent, row.text, row.image);
    // A branch takes its saved state before it has children; an unreadable state leaves it collapsed.
    if (std::string* state = stateOf(app, row.text)) {
      bool expanded = false;
      if (settings::toBool(*state, &expanded)) tree.setExpanded(node, expanded);
    }
  }
}

void tvw1_Click(App& app) {
  report::resumeNext([&] {
    app::MainWindow& f = app.frm;
    const int selected = f.tvw1.selectedNode();
    if (selected == 0) return;
    const std::string text = f.tvw1.node(selected).text;
    const std::string key = platform::upperCased(text);
    auto show = [&](ui::Frame& page, const char* status) {
      page.zOrder();
      f.stBar.setPanelText(2, status);
    };
    if (key == "WINDOWS") show(f.windows.frame, "Displaying Windows Settings....");
    else if (text == "IE") show(f.ie.frame, "Displaying IE Settings....");
    else if (key == "NETSCAPE") show(f.netscape.frame, "Displaying Netscape Settings....");
    else if (key == "BROWSER") show(f.ie.frame, "Displaying IE Settings....");
    else if (key == "ADVANCE SETTINGS") show(f.schedule.FraSchedule, "Displaying Schedule Settings....");
    else if (key == "MAIN SETTINGS") show(f.windows.frame, "Displaying  Windows Settings....");
    else if (key == "OPERA") show(f.opera.frame, "Displaying Opera Settings....");
    else if (key == "FIREFOX") show(f.firefox.frame, "Displaying Firefox Settings....");
    else if (key == "CHROME") show(f.chrome.frame, "Displaying Chrome Settings....");
    else if (key == "SAFARI") show(f.safari.frame, "Displaying Safari Settings....");
    else if (key == "APPLICATIONS") show(f.applications.frame, "Displaying Applications Settings....");
    else if (key == "COOKIES") show(f.cookieSites.fraSites, "Displaying Cookie Settings....");
    else if (key == "UPGRADE") show(f.fraUpgrade, "Displaying Upgrade Settings....");
    else if (key == "SCHEDULE") show(f.schedule.FraSchedule, "Displaying Schedule Settings....");
    else if (key == "RUN SETTINGS") show(f.startUp.fraRun, "Displaying Start Up Run Settings....");
    else if (key == "HARDWARE INFO") {
      f.fraHardware.zOrder();
      report::resumeNext([&] { hardware::GetSystemInformation(app); });
      f.stBar.setPanelText(2, "Displaying Hardware Information....");
    } else if (key == "HELP") show(f.help.fraHelp, "Displaying Help Information....");
    else if (key == "MAIN") show(f.cleaning.fraCleaning, "Welcome To Quellery");
    else if (key == "SHREDDER") {
      f.fraCustomItems.zOrder();
      report::resumeNext([&] { shredder::LoadFiles(app); });
      app.os.loop.doEvents();
      f.stBar.setPanelText(2, "Displaying Shredder");
    }
  });
}

void tvw1_Expand(App& app, int node) { storeState(app, node); }

void tvw1_Collapse(App& app, int node) { storeState(app, node); }

}  // namespace program

// A registry link higher up a key's path than the key itself: a key the cleaner purges or
// writes is reached through it into another place (here HKEY_LOCAL_MACHINE), so each item
// refuses the key, in the preview and the run alike, and the place it leads to stays whole.
#include <gtest/gtest.h>

#include <algorithm>

#include "PlanHarness.h"
#include "erase/RegValues.h"

namespace {

using erase::Outcome;
using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;
using Names = std::vector<std::string>;

const std::string kIE = "Software\\Microsoft\\Internet Explorer";
const std::string kShared = "Software\\Shared IE";
const std::string kHKCU = "HKEY_CURRENT_USER\\";
const std::string kLeads = ": leads to another place in the registry";
const std::string kSkipped = "Skipped: the list leads to another place in the registry";

// Catalogue places.
enum Item { Streams = 4, IETyped = 10, IEPasswords = 13, IEDisable = 19 };

class LinkAbove : public ::testing::Test, protected PlanCheck {
 protected:
  // Internet Explorer's key is a link to a machine-wide key that holds what the items purge.
  void linkIEToTheMachine() {
    machine.registry.setString(LocalMachine, kShared + "\\TypedURLs", "url1", "http://news.example/");
    machine.registry.setString(LocalMachine, kShared + "\\IntelliForms\\SPW", "site", "secret");
    machine.registry.setString(LocalMachine, kShared + "\\Main", "Use FormSuggest", "yes");
    machine.registry.makeLink(CurrentUser, kIE, LocalMachine, kShared);
  }
  bool machineKeyWhole() {
    return machine.registry.getString(LocalMachine, kShared + "\\TypedURLs", "url1") == "http://news.example/" &&
           machine.registry.getString(LocalMachine, kShared + "\\IntelliForms\\SPW", "site") == "secret" &&
           machine.registry.getString(LocalMachine, kShared + "\\Main", "Use FormSuggest") == "yes";
  }
  long shown(const std::string& line) {
    const Names all = lines();
    return std::count(all.begin(), all.end(), line);
  }
};

TEST_F(LinkAbove, TheListsUnderALinkedInternetExplorerKeyAreRefusedAndTheMachineKeyStaysWhole) {
  linkIEToTheMachine();
  const std::pair<Item, std::string> lists[] = {{IETyped, kIE + "\\TypedURLs"}, {IEPasswords, kIE + "\\IntelliForms"}};
  long skips = 0;
  for (const auto& [item, key] : lists) {
    tickOnly(item);
    const erase::ItemPlan planned = collectChangingNothing();
    for (const std::string& name : names(planned, Outcome::Planned))
      EXPECT_EQ(name.find("Registry"), std::string::npos) << name << " is promised";
    EXPECT_EQ(refusals(planned), Names{"Registry key " + kHKCU + key + kLeads});
    expectRunFollows(planned);
    EXPECT_EQ(shown(kSkipped), ++skips) << key << ": the item said it was done";
    EXPECT_TRUE(machineKeyWhole()) << key;
  }
  EXPECT_EQ(machine.registry.openHandles(), 0u);
}

TEST_F(LinkAbove, TurningAutoCompleteOffNeitherDeletesNorWritesThroughTheLink) {
  linkIEToTheMachine();
  tickOnly(IEDisable);
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(refusals(planned), (Names{"Registry key " + kHKCU + kIE + "\\IntelliForms\\SPW" + kLeads,
                                      "Setting " + kHKCU + kIE + "\\Main\\Use FormSuggest" + kLeads}));
  expectRunFollows(planned);
  EXPECT_TRUE(machineKeyWhole());
  EXPECT_EQ(machine.registry.getString(CurrentUser, "Software\\Microsoft\\Explorer\\AutoComplete", "Use AutoComplete"),
            "no")
      << "a switch outside the link is still turned off";
}

TEST_F(LinkAbove, TheStreamItemWritesNoSettingThroughALinkedKey) {
  const std::string memory = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  machine.registry.setString(LocalMachine, memory, "ClearPageFileAtShutdown", "1");
  machine.registry.makeLink(CurrentUser, "SYSTEM", LocalMachine, "SYSTEM");
  tickOnly(Streams);
  const erase::ItemPlan planned = collectChangingNothing();
  EXPECT_EQ(refusals(planned), Names{"Setting " + kHKCU + memory + "\\ClearPageFileAtShutdown" + kLeads});
  expectRunFollows(planned);
  EXPECT_EQ(machine.registry.getString(LocalMachine, memory, "ClearPageFileAtShutdown"), "1");
}

TEST_F(LinkAbove, ASingleValueIsNeitherDeletedNorWrittenThroughALinkAtAnyComponent) {
  machine.registry.setString(LocalMachine, "Software\\Shared\\Run", "Tool", "tool.exe");
  machine.registry.makeLink(CurrentUser, "Software\\Mid", LocalMachine, "Software\\Shared");
  machine.registry.makeLink(CurrentUser, "Software\\Last\\Run", LocalMachine, "Software\\Shared\\Run");
  erase::ItemPlan plan;
  app.flags.plan = &plan;
  for (const std::string key : {"Software\\Mid\\Run", "Software\\Last\\Run"}) {
    erase::DeleteRegValue(app.run(), CurrentUser, key, "Tool");
    erase::WriteRegValue(app.run(), CurrentUser, key, "Added", "x", platform::regtype::String);
    EXPECT_EQ(machine.registry.valueNames(LocalMachine, "Software\\Shared\\Run"), Names{"Tool"}) << key;
    EXPECT_EQ(refusals(plan), (Names{"Registry value " + kHKCU + key + "\\Tool" + kLeads,
                                     "Setting " + kHKCU + key + "\\Added" + kLeads}));
    plan.targets.clear();
  }
  app.flags.plan = nullptr;
  EXPECT_EQ(machine.registry.openHandles(), 0u);
}

}  // namespace

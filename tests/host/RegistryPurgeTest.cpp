#include <gtest/gtest.h>

#include <algorithm>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "clean/IEItems.h"
#include "clean/RegistryPurge.h"
#include "clean/WindowsItems.h"
#include "report/RuntimeError.h"

namespace {

using platform::HKey;
using platform::hkey::CurrentUser;

const std::string kRunMRU = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const std::string kDocFind = "Software\\Microsoft\\Windows\\Currentversion\\Explorer\\Doc Find Spec MRU";
const std::string kFilesNamed =
    "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\FilesNamedMRU";
const std::string kOpenSave = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const std::string kSearch = "Software\\Microsoft\\Search Assistant\\ACMru\\5647";

class RegistryPurge : public ::testing::Test, protected TestApp {
 protected:
  platform::sim::SimRegistry& reg = machine.registry;

  // An MRU list as Windows keeps it, with a sub-key, and a neighbour that must survive.
  void fill(const std::string& key) {
    reg.setString(CurrentUser, key, "a", "notepad\\1");
    reg.setString(CurrentUser, key, "b", "regedit\\1");
    reg.setString(CurrentUser, key, "MRUList", "ab");
    reg.setString(CurrentUser, key + "\\Sub", "x", "y");
    reg.setString(CurrentUser, key + "Canary", "keep", "me");
  }
  bool canaryAlive(const std::string& key) { return reg.getString(CurrentUser, key + "Canary", "keep") == "me"; }
  int calls(const std::string& prefix) {
    return static_cast<int>(std::count_if(reg.calls.begin(), reg.calls.end(),
                                          [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
  }
  void makeEmptyKey(const std::string& key) {
    HKey handle = 0;
    ASSERT_EQ(reg.createKey(CurrentUser, key, &handle), 0);
    reg.closeKey(handle);
  }
};

TEST_F(RegistryPurge, PopulatedEmptyAndMissingKeysEndAbsentWithNeighboursIntact) {
  fill(kRunMRU);
  clean::PurgeRegistryList(app.run(), kRunMRU);
  EXPECT_FALSE(reg.exists(CurrentUser, kRunMRU));
  EXPECT_EQ(calls("RegDeleteValueA HKEY_CURRENT_USER\\" + kRunMRU + " "), 3);
  EXPECT_TRUE(canaryAlive(kRunMRU));
  EXPECT_EQ(reg.openHandles(), 0u);

  makeEmptyKey(kRunMRU);
  reg.calls.clear();
  clean::PurgeRegistryList(app.run(), kRunMRU);
  EXPECT_FALSE(reg.exists(CurrentUser, kRunMRU));
  EXPECT_EQ(calls("RegDeleteValueA"), 0);

  reg.calls.clear();
  clean::PurgeRegistryList(app.run(), kRunMRU);  // missing now: nothing to do, nothing breaks
  EXPECT_EQ(calls("RegEnumValueA"), 0);
  EXPECT_EQ(calls("RegDeleteKeyA"), 0);
  EXPECT_TRUE(canaryAlive(kRunMRU));
  EXPECT_EQ(reg.openHandles(), 0u);
}

TEST_F(RegistryPurge, AValueThatCannotBeDeletedIsPassedAndTheRestGo) {
  fill(kOpenSave);
  reg.makeUndeletable(CurrentUser, kOpenSave, "b");
  erase::ItemPlan plan;
  app.flags.plan = &plan;
  clean::PurgeRegistryList(app.run(), kOpenSave);
  app.flags.plan = nullptr;
  // "a" and "MRUList" went around "b"; the key that holds "b" stays.
  EXPECT_EQ(reg.valueNames(CurrentUser, kOpenSave), (std::vector<std::string>{"b"}));
  std::vector<std::string> recorded;
  for (const erase::Target& t : plan.targets)
    recorded.push_back(std::string(erase::kindName(t.kind)) + " " + erase::outcomeName(t.outcome) + " " +
                       t.where.substr(t.where.rfind('\\') + 1) + " " + t.reason);
  EXPECT_EQ(recorded, (std::vector<std::string>{"Registry value Removed a ",
                                                "Registry value Failed b Permission denied",
                                                "Registry value Removed MRUList ",
                                                "Registry key Failed OpenSaveMRU Permission denied"}));
  EXPECT_EQ(reg.openHandles(), 0u);
}

// The tree deletion empties a key of every value that will go, past one that will not.
TEST_F(RegistryPurge, ATreeDeletionEmptiesAKeyOfEveryValueThatWillGo) {
  fill(kOpenSave);
  reg.makeUndeletable(CurrentUser, kOpenSave, "a");
  erase::ItemPlan plan;
  app.flags.plan = &plan;
  EXPECT_TRUE(clean::DeleteRegTreeUnlessLinked(reg, app.flags, kOpenSave));
  app.flags.plan = nullptr;
  EXPECT_EQ(reg.valueNames(CurrentUser, kOpenSave), (std::vector<std::string>{"a"}));
  ASSERT_EQ(plan.targets.size(), 1u);
  EXPECT_EQ(plan.targets[0].outcome, erase::Outcome::Failed);
  EXPECT_EQ(reg.openHandles(), 0u);
}

// Windows' own tree deletion opens the key to empty it too: a key nobody may open stays.
TEST_F(RegistryPurge, AnUnopenableKeyStaysAndIsReportedFailed) {
  fill(kSearch);
  reg.makeUnopenable(CurrentUser, kSearch);
  erase::ItemPlan plan;
  app.flags.plan = &plan;
  clean::PurgeRegistryList(app.run(), kSearch);
  app.flags.plan = nullptr;
  EXPECT_EQ(calls("RegDeleteValueA"), 0);
  EXPECT_TRUE(reg.exists(CurrentUser, kSearch));
  ASSERT_EQ(plan.targets.size(), 1u);
  EXPECT_EQ(plan.targets[0].outcome, erase::Outcome::Failed);
  EXPECT_EQ(plan.targets[0].reason, "Permission denied");
}

TEST_F(RegistryPurge, WithAbortSetTheValueLoopIsSkippedAndTheKeyStillGoes) {
  fill(kRunMRU);
  fill(kDocFind);
  fill(kFilesNamed);
  erase::ItemPlan plan;
  app.flags.plan = &plan;
  app.flags.abort = true;
  cleanItem("Clean Recent Run History **");
  cleanItem("Clean Find File/Folder History");  // both of its keys, the second one too
  app.flags.plan = nullptr;
  EXPECT_EQ(plan.count(erase::TargetKind::RegistryValue), 0u) << "no value was taken one by one";
  EXPECT_EQ(plan.count(erase::Outcome::Removed), 3u);
  for (const std::string& key : {kRunMRU, kDocFind, kFilesNamed}) {
    EXPECT_FALSE(reg.exists(CurrentUser, key)) << key;
    EXPECT_TRUE(canaryAlive(key)) << key;
  }
}

TEST_F(RegistryPurge, EachOperationEmptiesItsOwnKeysOnly) {
  const std::pair<const char*, std::vector<std::string>> items[] = {
      {"Clean Recent Run History **", {kRunMRU}},
      {"Clean Find File/Folder History", {kDocFind, kFilesNamed}},
      {"Clean Open/Save Dialog Box History", {kOpenSave}},
      {"Clean Search Computer History", {kSearch}},
  };
  for (const auto& [caption, keys] : items) {
    for (const std::string& key : {kRunMRU, kDocFind, kFilesNamed, kOpenSave, kSearch}) fill(key);
    cleanItem(caption);
    for (const std::string& key : {kRunMRU, kDocFind, kFilesNamed, kOpenSave, kSearch}) {
      const bool target = std::find(keys.begin(), keys.end(), key) != keys.end();
      EXPECT_EQ(reg.exists(CurrentUser, key), !target) << key;
      EXPECT_TRUE(canaryAlive(key)) << key;
    }
  }
  EXPECT_EQ(reg.openHandles(), 0u);
}

TEST_F(RegistryPurge, AListThatIsOrHoldsARegistryLinkLeavesTheKeyItLeadsToWhole) {
  const std::string precious = "Software\\Precious";
  auto seedPrecious = [&] {
    reg.setString(CurrentUser, precious, "kept", "value");
    reg.setString(CurrentUser, precious + "\\Deeper", "also", "kept");
  };
  auto preciousWhole = [&] {
    return reg.getString(CurrentUser, precious, "kept") == "value" &&
           reg.getString(CurrentUser, precious + "\\Deeper", "also") == "kept";
  };
  seedPrecious();
  reg.makeLink(CurrentUser, kRunMRU, CurrentUser, precious);
  ASSERT_EQ(reg.getString(CurrentUser, kRunMRU, "kept"), "value") << "a plain open follows the link";
  erase::RunFlags flags;
  EXPECT_FALSE(clean::PurgeRegistryList(reg, flags, kRunMRU));
  EXPECT_TRUE(preciousWhole());

  // A link below the list: the list's tree would be deleted through it.
  fill(kOpenSave);
  reg.makeLink(CurrentUser, kOpenSave + "\\txt", CurrentUser, precious);
  EXPECT_FALSE(clean::PurgeRegistryList(reg, flags, kOpenSave));
  EXPECT_TRUE(preciousWhole());
  EXPECT_EQ(reg.getString(CurrentUser, kOpenSave, "a"), "notepad\\1");

  // A link to a machine-wide key, purged by its item in a run: the run says it skipped.
  reg.setString(platform::hkey::LocalMachine, "Software\\Shared", "kept", "value");
  reg.makeLink(CurrentUser, kSearch, platform::hkey::LocalMachine, "Software\\Shared");
  app.frm.chkWinSettings[9].setValue(1);
  app::cmdClean_Click(app);
  EXPECT_EQ(reg.getString(platform::hkey::LocalMachine, "Software\\Shared", "kept"), "value");
  const std::vector<std::string> shown = lines();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown[0], "Cleaning Search Computer History...");
  EXPECT_EQ(shown[1], "Skipped: the list leads to another place in the registry");
  EXPECT_EQ(reg.openHandles(), 0u);
}

TEST_F(RegistryPurge, TheStreamAndFormTreesAreNotDeletedThroughALink) {
  const std::string stream = "Software\\Microsoft\\Windows\\CurrentVersion\\StreamMRU";
  const std::string forms = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
  reg.setString(CurrentUser, "Software\\Precious", "kept", "value");
  reg.setString(CurrentUser, "Software\\Precious\\Deeper", "also", "kept");
  reg.makeLink(CurrentUser, stream, CurrentUser, "Software\\Precious");
  reg.setString(CurrentUser, forms + "\\SPW", "a", "b");
  reg.makeLink(CurrentUser, forms + "\\Linked", CurrentUser, "Software\\Precious");

  cleanItem("Clean Registry Fragment Files");
  cleanItem("Clean AutoComplete Password Data");
  EXPECT_EQ(reg.getString(CurrentUser, "Software\\Precious", "kept"), "value");
  EXPECT_EQ(reg.getString(CurrentUser, "Software\\Precious\\Deeper", "also"), "kept");
  EXPECT_EQ(app.flags.skipped, "Skipped: the list leads to another place in the registry");

  EXPECT_EQ(reg.openHandles(), 0u);
}

// Passes each call on to the simulated registry; a test overrides the calls it disturbs.
class Forwarding : public platform::Registry {
 public:
  explicit Forwarding(platform::Registry& inner) : r(inner) {}
  long openKey(HKey root, const std::string& s, HKey* out) override { return r.openKey(root, s, out); }
  long openKeyEx(HKey root, const std::string& s, uint32_t a, HKey* out) override { return r.openKeyEx(root, s, a, out); }
  long openKeyAsLink(HKey root, const std::string& s, uint32_t a, HKey* out) override {
    return r.openKeyAsLink(root, s, a, out);
  }
  long createKey(HKey root, const std::string& s, HKey* out) override { return r.createKey(root, s, out); }
  long createKeyEx(HKey root, const std::string& s, uint32_t a, HKey* out, uint32_t* d) override {
    return r.createKeyEx(root, s, a, out, d);
  }
  long queryValue(HKey k, const std::string& n, uint32_t* t, uint8_t* d, uint32_t* s) override {
    return r.queryValue(k, n, t, d, s);
  }
  long enumValue(HKey k, uint32_t i, std::string* n, uint32_t* t, std::vector<uint8_t>* d) override {
    return r.enumValue(k, i, n, t, d);
  }
  long enumKey(HKey k, uint32_t i, std::string* n) override { return r.enumKey(k, i, n); }
  long setValue(HKey k, const std::string& n, uint32_t t, const uint8_t* d, uint32_t s) override {
    return r.setValue(k, n, t, d, s);
  }
  long deleteValue(HKey k, const std::string& n) override { return r.deleteValue(k, n); }
  long deleteKey(HKey k, const std::string& s) override { return r.deleteKey(k, s); }
  long closeKey(HKey k) override { return r.closeKey(k); }

 private:
  platform::Registry& r;
};

// A registry whose value enumeration breaks down, as an unexpected failure would.
class BrokenEnumeration : public Forwarding {
 public:
  using Forwarding::Forwarding;
  long enumValue(HKey, uint32_t, std::string*, uint32_t*, std::vector<uint8_t>*) override {
    throw report::RuntimeError(7, "Out of memory");
  }
};

// Someone makes a link inside the list once its values start to go: after any look at the
// list before the purge, before its tree goes.
class LinkMadeMidway : public Forwarding {
 public:
  LinkMadeMidway(platform::sim::SimRegistry& sim, std::string at, std::string target)
      : Forwarding(sim), sim_(sim), at_(std::move(at)), target_(std::move(target)) {}
  long deleteValue(HKey k, const std::string& n) override {
    if (!made_) sim_.makeLink(CurrentUser, at_, CurrentUser, target_);
    made_ = true;
    return Forwarding::deleteValue(k, n);
  }

 private:
  platform::sim::SimRegistry& sim_;
  std::string at_, target_;
  bool made_ = false;
};

TEST_F(RegistryPurge, ALinkMadeInsideTheListWhileItIsPurgedIsLeftAndNotFollowed) {
  reg.setString(CurrentUser, "Software\\Precious", "kept", "value");
  reg.setString(CurrentUser, "Software\\Precious\\Deeper", "also", "kept");
  fill(kOpenSave);
  LinkMadeMidway racing(reg, kOpenSave + "\\Sub\\Late", "Software\\Precious");
  erase::RunFlags flags;
  erase::ItemPlan plan;
  flags.plan = &plan;
  EXPECT_FALSE(clean::PurgeRegistryList(racing, flags, kOpenSave));
  EXPECT_EQ(reg.getString(CurrentUser, "Software\\Precious", "kept"), "value");
  EXPECT_EQ(reg.getString(CurrentUser, "Software\\Precious\\Deeper", "also"), "kept");
  EXPECT_EQ(reg.subKeyNames(CurrentUser, kOpenSave + "\\Sub"), std::vector<std::string>{"Late"});
  ASSERT_FALSE(plan.targets.empty());
  EXPECT_EQ(plan.targets.back().where, "HKEY_CURRENT_USER\\" + kOpenSave);
  EXPECT_EQ(plan.targets.back().outcome, erase::Outcome::Refused);
  EXPECT_EQ(plan.targets.back().reason, "leads to another place in the registry");
  EXPECT_EQ(reg.openHandles(), 0u);
}

TEST_F(RegistryPurge, AFailureInsideTheLoopStillDeletesTheKeyAndReachesTheCaller) {
  fill(kRunMRU);
  BrokenEnumeration broken(reg);
  erase::RunFlags flags;
  try {
    clean::PurgeRegistryList(broken, flags, kRunMRU);
    FAIL() << "the failure was swallowed";
  } catch (const report::RuntimeError& e) {
    EXPECT_EQ(e.number, 7);
  }
  EXPECT_FALSE(reg.exists(CurrentUser, kRunMRU));
  EXPECT_EQ(reg.openHandles(), 0u);
}

}  // namespace

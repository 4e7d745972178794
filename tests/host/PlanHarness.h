#pragma once
// Checks that what the preview promises is what the run does, on a seeded simulated machine:
// seed the machine, tick the item, collect (nothing on the machine may change), run, and
// compare the plan's targets with the run's report and with what went from the machine.
//
//   class MyItems : public ::testing::Test, protected PlanCheck {};
//   TEST_F(MyItems, X) {
//     seed...;
//     tickOnly(position);
//     const erase::ItemPlan planned = collectChangingNothing();   // the whole machine compared
//     EXPECT_EQ(names(planned), (std::vector<std::string>{"File C:\\a.tmp", ...}));  // from the seed
//     expectRunFollows(planned);   // same targets, each removed, nothing else gone
//   }
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "engine/Catalogue.h"
#include "erase/Plan.h"
#include "platform/sim/SimSnapshot.h"

struct PlanCheck : TestApp {
  using MachineState = platform::sim::MachineState;

  // Ticks the catalogue item at `position` and no other.
  void tickOnly(int position) {
    for (engine::CleaningGroup group : engine::kGroups)
      for (ui::CheckBox& box : app.frm.itemPage(group).items) box.setValue(0);
    const engine::CleaningItem& item = engine::catalogue().at(position);
    app.frm.tick(item).setValue(1);
  }

  // The preview's pass over the ticked items; the test fails, naming the first differences,
  // when anything on the machine changed.
  erase::Plan collect() {
    const MachineState before = platform::sim::captureMachine(machine);
    erase::Plan plan = app::CollectPlan(app, nullptr);
    const std::string changed = platform::sim::machineDifferences(before, platform::sim::captureMachine(machine));
    EXPECT_EQ(changed, "") << "collecting changed the machine";
    return plan;
  }
  // The plan of the one ticked item.
  erase::ItemPlan collectChangingNothing() {
    const erase::Plan plan = collect();
    EXPECT_FALSE(plan.stopped);
    EXPECT_EQ(plan.items.size(), 1u);
    return plan.items.empty() ? erase::ItemPlan() : plan.items[0];
  }

  // A cleaning pass of the ticked items, as the scheduler starts one (no pauses); what it
  // did is in app.lastRun. Returns the machine as it was before.
  MachineState run() {
    MachineState before = platform::sim::captureMachine(machine);
    app::cleaningPass(app);
    return before;
  }

  // Runs the ticked item and checks it did what `planned` said: the same targets in the same
  // order, each removed, as many bytes, the same refusals, each target gone from the machine,
  // and nothing gone that the plan did not name (or hold: what lies in a removed folder or key).
  void expectRunFollows(const erase::ItemPlan& planned) {
    erase::Plan plan;
    plan.items.push_back(planned);
    expectRunFollows(plan);
  }
  // The same for every ticked item of a plan: a target two items share goes with the first.
  void expectRunFollows(const erase::Plan& planned) {
    std::vector<std::string> promised;
    for (const erase::ItemPlan& plan : planned.items)
      for (const erase::Target& target : plan.targets)
        if (target.outcome == erase::Outcome::Planned && onTheMachine(target))
          promised.push_back(upper(longName(target)));
    const MachineState before = run();
    const MachineState after = platform::sim::captureMachine(machine);
    ASSERT_EQ(app.lastRun.items.size(), planned.items.size());
    for (size_t i = 0; i < planned.items.size(); ++i) {
      const erase::ItemPlan& plan = planned.items[i];
      const erase::ItemPlan& done = app.lastRun.items[i];
      SCOPED_TRACE(plan.caption);
      EXPECT_EQ(names(done, erase::Outcome::Removed), names(plan, erase::Outcome::Planned))
          << "the run's targets are not the plan's";
      EXPECT_EQ(done.bytes(erase::Outcome::Removed), plan.bytes(erase::Outcome::Planned))
          << "the run freed other than the preview said";
      EXPECT_EQ(refusals(done), refusals(plan)) << "the run refused other things than the plan";
      EXPECT_EQ(done.count(erase::Outcome::Kept), plan.count(erase::Outcome::Kept)) << "the run kept other things";
      EXPECT_EQ(done.count(erase::Outcome::Removed) + done.count(erase::Outcome::Refused) +
                    done.count(erase::Outcome::Kept),
                done.targets.size())
          << "the run failed on targets";
    }
    const std::vector<std::string> went = changedThings(before, after);
    for (const std::string& target : promised)
      EXPECT_TRUE(std::find(went.begin(), went.end(), target) != went.end()) << target << " is still there";
    for (const std::string& thing : went)
      EXPECT_TRUE(coveredBy(promised, thing)) << thing << " went without being in the plan";
  }

  // "Kind where" of each target, with the given outcome only if one is given.
  static std::vector<std::string> names(const erase::ItemPlan& item) { return names(item, nullptr); }
  static std::vector<std::string> names(const erase::ItemPlan& item, erase::Outcome only) { return names(item, &only); }
  // "Kind where: reason" of each refused target.
  static std::vector<std::string> refusals(const erase::ItemPlan& item) {
    std::vector<std::string> out;
    for (const erase::Target& target : item.targets)
      if (target.outcome == erase::Outcome::Refused)
        out.push_back(std::string(erase::kindName(target.kind)) + " " + target.where + ": " + target.reason);
    return out;
  }

  // What went or changed between two captures, named as plan targets are ("FILE C:\\A.TMP"),
  // upper-cased. A file written again with the same bytes (the cookie keep list, which a run
  // saves) lost nothing.
  static std::vector<std::string> changedThings(const MachineState& before, const MachineState& after) {
    std::vector<std::string> out;
    for (const auto& [what, detail] : before) {
      const auto now = after.find(what);
      if (now != after.end() && withoutTime(now->second) == withoutTime(detail)) continue;
      const std::string name = targetName(what, now == after.end());
      if (!name.empty()) out.push_back(upper(name));
    }
    for (const auto& [what, detail] : after)
      if (!before.count(what) && what.rfind("value ", 0) == 0) out.push_back(upper(targetName(what, false)));
    return out;
  }

  static std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  }
  // A capture's line without the time its file was last written.
  static std::string withoutTime(const std::string& detail) {
    const size_t written = detail.find(" written=");
    if (written == std::string::npos) return detail;
    return detail.substr(0, written) + detail.substr(detail.find(" data=", written));
  }

 private:
  static std::string name(const erase::Target& target) {
    return std::string(erase::kindName(target.kind)) + " " + target.where;
  }
  static std::vector<std::string> names(const erase::ItemPlan& item, const erase::Outcome* only) {
    std::vector<std::string> out;
    for (const erase::Target& target : item.targets)
      if (!only || target.outcome == *only)
        out.push_back(name(target) + (!only && target.outcome == erase::Outcome::Kept ? " (kept)" : ""));
    return out;
  }

  // False for work handed to another program (iea.exe's form entries), a setting that names
  // no place in the registry: the machine shows only the program started, which the test
  // checks itself.
  static bool onTheMachine(const erase::Target& target) {
    return target.kind != erase::TargetKind::Setting || target.where.rfind("HKEY_", 0) == 0;
  }

  // The target as the capture names it: by the long names of its folders and its own, where
  // the profile search names what it finds by their 8.3 names.
  std::string longName(const erase::Target& target) {
    // A database's row ("C:\\...\\History: http://...") changes the file that holds it.
    const size_t row = target.where.find(": ");
    if (row != std::string::npos && target.where.size() > 2 && target.where.compare(1, 2, ":\\") == 0) {
      erase::Target file = target;
      file.kind = erase::TargetKind::File;
      file.where = target.where.substr(0, row);
      return longName(file);
    }
    if (target.kind != erase::TargetKind::File && target.kind != erase::TargetKind::Folder) return name(target);
    const std::string host = machine.files.hostPath(target.where);
    const std::string& root = machine.files.hostRoot();
    if (host.compare(0, root.size() + 1, root + "/") != 0) return name(target);
    std::string path = host.substr(root.size() + 1);
    std::replace(path.begin(), path.end(), '/', '\\');
    return targetName((target.kind == erase::TargetKind::File ? "file " : "folder ") + path, true);
  }

  // A capture's line as the plan names its target; empty for what no target names.
  static std::string targetName(const std::string& what, bool gone) {
    auto after = [&](const char* prefix) { return what.substr(std::string(prefix).size()); };
    auto drivePath = [](const std::string& path) { return path.substr(0, 1) + ":" + path.substr(1); };
    if (what.rfind("file ", 0) == 0) return "File " + drivePath(after("file "));
    if (what.rfind("folder ", 0) == 0) return "Folder " + drivePath(after("folder "));
    if (what.rfind("key ", 0) == 0) return "Registry key " + after("key ");
    if (what.rfind("value ", 0) == 0) {
      std::string path = after("value ");
      const size_t open = path.rfind("\\[");
      path = path.substr(0, open) + "\\" + path.substr(open + 2, path.size() - open - 3);
      return (gone ? "Registry value " : "Setting ") + path;
    }
    if (what.rfind("recycle bin ", 0) == 0) return "Recycle Bin " + after("recycle bin ");
    if (what == "clipboard") return "Clipboard Clipboard";
    if (what.rfind("recent document ", 0) == 0) return "History entry Recent Documents";
    // Cookies are cache entries to the machine and cookies to the plan.
    if (what.rfind("cache entry Cookie:", 0) == 0) return "Cookie " + after("cache entry ");
    if (what.rfind("cache entry ", 0) == 0) return "Cache entry " + after("cache entry ");
    if (what.rfind("history entry ", 0) == 0) return "History entry " + after("history entry ");
    return "";
  }

  // True when the plan names the thing, or a folder or key it lies in.
  static bool coveredBy(const std::vector<std::string>& promised, const std::string& thing) {
    for (const std::string& target : promised) {
      if (target == thing) return true;
      for (const std::string container : {"FOLDER ", "REGISTRY KEY "})
        if (target.rfind(container, 0) == 0 && thing.find(" " + target.substr(container.size()) + "\\") != std::string::npos)
          return true;
    }
    return false;
  }
};

#include "program/SavedSelections.h"

#include <optional>
#include <string>
#include <utility>

#include "app/Session.h"
#include "custom/frmCustom.h"
#include "engine/Catalogue.h"
#include "platform/Desktop.h"
#include "report/RuntimeError.h"
#include "schedule/RunEntry.h"
#include "settings/SettingsStore.h"
#include "settings/ValueText.h"
#include "shredder/Shredder.h"

namespace program {

const char* const kEveryDayKey = "chkSchedule0";

using namespace settings;
using report::resumeNext;

namespace {

const char* const kLastHistory = "LastHistory";
const char* const kOverwriteKey = "chkOverwrite";
const char* const kShredLevelKey = "cmbOver";

struct Store {
  explicit Store(app::Session& forSession) : session(forSession) {}
  app::Session& session;
  std::optional<SettingsSection> lastHistory;  // opened by the first read, for all of them
  std::string get(const char* section, const std::string& key, const std::string& defaultValue) {
    return GetSetting(session.os.registry, kAppName, section, key, defaultValue);
  }
  std::string last(const std::string& key, const std::string& defaultValue) {
    if (!lastHistory) lastHistory.emplace(session.os.registry, kAppName, kLastHistory);
    return lastHistory->get(key, defaultValue);
  }
  void put(const std::string& key, const std::string& value) {
    SaveSetting(session.os.registry, kAppName, kLastHistory, key, value);
  }
};

// A tick accepts 0, 1 and 2; anything else leaves it as it is.
void setTick(ui::CheckBox& box, double value) {
  int tick = 0;
  if (roundToInt(value, &tick) && tick >= 0 && tick <= 2) box.setValue(tick);
}

// The lenient read: a text that does not begin with a number counts as 0.
void restoreTick(ui::CheckBox& box, const std::string& text) { setTick(box, leadingNumber(trimBlanks(text))); }

// The strict read: a text that is not a number leaves the tick as it is.
void restoreStrictTick(ui::CheckBox& box, const std::string& text) {
  double value = 0;
  if (parseNumber(text, &value)) setTick(box, value);
}

void restoreHour(ui::TimePicker& picker, const std::string& text) {
  int hour = 0;
  if (toInt(text, &hour)) picker.setTime(hour, picker.minute());  // out of range is refused
}

void restoreMinute(ui::TimePicker& picker, const std::string& text) {
  int minute = 0;
  if (toInt(text, &minute)) picker.setTime(picker.hour(), minute);
}

void restoreListIndex(ui::ListBox& list, const std::string& text) {
  int index = 0;
  if (roundToInt(leadingNumber(trimBlanks(text)), &index) && index >= -1 && index < list.listCount())
    list.setListIndex(index);
}

void writeTicks(Store& store, ui::ControlArray<ui::CheckBox>& ticks, engine::CleaningGroup group) {
  for (ui::CheckBox& box : ticks)
    resumeNext([&] { store.put(engine::arrayName(group) + std::to_string(box.index()), std::to_string(box.value())); });
}

void setAllTicks(ui::ControlArray<ui::CheckBox>& ticks, int value) {
  for (ui::CheckBox& box : ticks) resumeNext([&] { box.setValue(value); });
}

}  // namespace

void getLastTicks(app::Session& session) {
  app::MainWindow& f = session.frm;
  Store store{session};
  for (engine::CleaningGroup group : engine::kGroups)
    for (ui::CheckBox& box : f.itemPage(group).items)
      resumeNext([&] { restoreTick(box, store.last(engine::arrayName(group) + std::to_string(box.index()), "0")); });
}

void getLastSettings(app::Session& session) {
  app::MainWindow& f = session.frm;
  Store store{session};

  getLastTicks(session);

  // Read now, applied to chkRun(0) only after Check1 has run its click rule.
  resumeNext([&] { session.startInvisibly = trimBlanks(store.last("chkRun0", "0")); });
  for (int i = 1; i <= 4; ++i)
    resumeNext([&] { restoreTick(f.chkRun(i), store.last("chkRun" + std::to_string(i), "0")); });
  resumeNext([&] { restoreTick(f.Check1, store.last("chk1", "0")); });
  resumeNext([&] { restoreStrictTick(f.chkRun(0), session.startInvisibly); });

  resumeNext([&] { f.txtMin.setText(store.last("txtMin", "10")); });
  for (int i = 0; i < 2; ++i)
    resumeNext([&] {
      bool selected = false;
      if (toBool(store.last("OptSchedule" + std::to_string(i), "False"), &selected)) f.OptSchedule[i].setValue(selected);
    });
  for (int i = 0; i < 3; ++i)
    resumeNext([&] {
      const std::string key = i == 0 ? std::string(kEveryDayKey) : "chkSchedule" + std::to_string(i);
      restoreStrictTick(f.chkSchedule[i], store.last(key, "0"));
    });

  resumeNext([&] { restoreHour(f.dtpTime, store.last("dtpHr", "12")); });
  resumeNext([&] { restoreMinute(f.dtpTime, store.last("dtpMin", "00")); });
  resumeNext([&] { restoreHour(f.dtpWeek, store.last("dtpWHr", "12")); });
  resumeNext([&] { restoreMinute(f.dtpWeek, store.last("dtpWMin", "00")); });

  resumeNext([&] {
    // Only a key the panic key list offers (F2 to F12) is put in force: any other would be
    // pressed while the list and the hint name F11. The default F11 stays in its place.
    int key = 0;
    if (roundToInt(leadingNumber(trimBlanks(store.get("panic", "panKey", "122"))), &key) &&
        key >= platform::vkey::F2 && key <= platform::vkey::F12)
      session.panicKey = key;
  });

  app::TreeStates& t = session.treeStates;
  struct {
    const char* key;
    std::string* state;
  } const states[] = {{"Main", &t.Main}, {"Settings", &t.Settings}, {"Browser", &t.Browser},
                      {"Advance", &t.Advance}, {"Help", &t.Help}};
  for (const auto& s : states) resumeNext([&] { *s.state = trimBlanks(store.last(s.key, "True")); });

  resumeNext([&] { restoreListIndex(f.cmbWeek, store.get("MViewer", "CmbListIndexW", "0")); });
  resumeNext([&] { restoreListIndex(f.cmbMonth, store.get("MViewer", "CmbListIndexM", "0")); });

  resumeNext([&] {
    session.minuteCounter = 0;
    f.timerScheduler.setInterval(60000);
    f.timerScheduler.setEnabled(true);
  });
}

void saveLastSelection(app::Session& session) {
  app::MainWindow& f = session.frm;
  Store store{session};

  resumeNext([&] { schedule::LoadOnStartup(session); });

  for (engine::CleaningGroup group : engine::kGroups) writeTicks(store, f.itemPage(group).items, group);

  for (int i = 0; i <= 4; ++i)
    resumeNext([&] { store.put("chkRun" + std::to_string(i), std::to_string(f.chkRun(i).value())); });
  resumeNext([&] { store.put("txtMin", f.txtMin.text()); });
  for (int i = 0; i < 2; ++i)
    resumeNext([&] { store.put("OptSchedule" + std::to_string(i), boolText(f.OptSchedule[i].value())); });
  for (int i = 0; i < 3; ++i)
    resumeNext([&] {
      const std::string key = i == 0 ? std::string(kEveryDayKey) : "chkSchedule" + std::to_string(i);
      store.put(key, std::to_string(f.chkSchedule[i].value()));
    });
  resumeNext([&] { store.put("chk1", std::to_string(f.Check1.value())); });

  resumeNext([&] { store.put("dtpHr", std::to_string(f.dtpTime.hour())); });
  resumeNext([&] { store.put("dtpMin", std::to_string(f.dtpTime.minute())); });
  resumeNext([&] { store.put("dtpWHr", std::to_string(f.dtpWeek.hour())); });
  resumeNext([&] { store.put("dtpWMin", std::to_string(f.dtpWeek.minute())); });

  const app::TreeStates& t = session.treeStates;
  resumeNext([&] { store.put("Main", t.Main); });
  resumeNext([&] { store.put("Settings", t.Settings); });
  resumeNext([&] { store.put("Browser", t.Browser); });
  resumeNext([&] { store.put("Advance", t.Advance); });
  resumeNext([&] { store.put("Help", t.Help); });

  custom::loadBookmarkButtons(session);
  resumeNext([&] { store.put("BookMarkE", boolText(session.bookmarkButtons.enableEnabled)); });
  resumeNext([&] { store.put("BookMarkD", boolText(session.bookmarkButtons.disableEnabled)); });

  resumeNext([&] { shredder::SaveShredList(session); });
  resumeNext([&] { store.put(kOverwriteKey, std::to_string(f.startUp.chkOverwrite.value())); });
  resumeNext([&] { store.put(kShredLevelKey, std::to_string(f.cmbOver.listIndex())); });
}

void getOverwriteChoice(app::Session& session) {
  app::MainWindow& f = session.frm;
  Store store{session};
  resumeNext([&] { restoreStrictTick(f.startUp.chkOverwrite, store.last(kOverwriteKey, "0")); });
  // -1 (no level) is no choice: the list keeps its own.
  resumeNext([&] {
    int level = 0;
    if (toInt(trimBlanks(store.last(kShredLevelKey, "")), &level) && level >= 0 && level < f.cmbOver.listCount())
      f.cmbOver.setListIndex(level);
  });
}

void Check1_Click(app::Session& session) {
  resumeNext([&] {
    app::MainWindow& f = session.frm;
    if (f.Check1.value() == 1) {
      f.chkRun(0).setEnabled(true);
    } else {
      f.chkRun(0).setEnabled(false);
      f.chkRun(0).setValue(0);
    }
  });
}

void cmdSelectAllWin_Click(app::Session& session) { setAllTicks(session.frm.chkWinSettings, 1); }
void cmdDeselectAllWin_Click(app::Session& session) { setAllTicks(session.frm.chkWinSettings, 0); }
void cmdSelectAllIE_Click(app::Session& session) { setAllTicks(session.frm.chkIEsettings, 1); }
void cmdDestAllIE_Click(app::Session& session) { setAllTicks(session.frm.chkIEsettings, 0); }
void cmdSellectAllNet_Click(app::Session& session) { setAllTicks(session.frm.chkNSsettings, 1); }
void cmdDesellectAllNet_Click(app::Session& session) { setAllTicks(session.frm.chkNSsettings, 0); }
void cmdselectAllOP_Click(app::Session& session) { setAllTicks(session.frm.chkOPsettings, 1); }
void cmdDeselectAllOP_Click(app::Session& session) { setAllTicks(session.frm.chkOPsettings, 0); }
void selectAll_Click(app::Session& session, engine::CleaningGroup group, int value) {
  setAllTicks(session.frm.itemPage(group).items, value);
}

}  // namespace program

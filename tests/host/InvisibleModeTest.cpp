// Start-up and shutdown behaviour: the hot keys that hide and show the program, the
// invisible start with start-up cleaning, the Windows Run entry, cleaning when Windows
// ends the session (and not when it cancels), and Clean & Reboot's restart request.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "TestApp.h"
#include "app/CleaningRun.h"
#include "app/Wait.h"
#include "engine/Reboot.h"
#include "program/SavedSelections.h"
#include "program/Startup.h"
#include "schedule/RunEntry.h"
#include "settings/SettingsStore.h"

namespace {

namespace vkey = platform::vkey;
using platform::hkey::CurrentUser;
using platform::hkey::LocalMachine;
const char kLastHistory[] = "Software\\Quellery\\Settings\\LastHistory";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Remembers whether the main window was ever asked to show.
struct ShowWatch : ui::ControlObserver {
  explicit ShowWatch(const ui::Form& form) : form(form) { ui::Control::setObserver(this); }
  ~ShowWatch() override { ui::Control::setObserver(nullptr); }
  void controlChanged(ui::Control& control, ui::Change change, int) override {
    if (&control == &form && change == ui::Change::Visible && form.visible()) shown = true;
  }
  const ui::Form& form;
  bool shown = false;
};

class InvisibleMode : public ::testing::Test, protected TestApp {
 protected:
  void save(const char* name, const char* value) { machine.registry.setString(CurrentUser, kLastHistory, name, value); }
  void useWindows98() {
    machine.system.version = {4, 10, 2222, platform::osplatform::Windows9x, ""};
    machine.system.hasServiceProcesses = true;
  }
  // Keys held down for `ms` from now on.
  void hold(std::initializer_list<int> keys, uint32_t ms) {
    for (int key : keys) machine.desktop.press(key);
    app::WaitSeconds(app.os, ms / 1000.0);
    for (int key : keys) machine.desktop.release(key);
  }
};

TEST_F(InvisibleMode, CtrlHHidesEverywhereAndCtrlUBringsItBackRestored) {
  useWindows98();
  const platform::WindowHandle main = machine.desktop.open("QuelleryMain", "Quellery v1.0");
  app.frm.form.hWnd = main;
  program::Form_Load(app);

  hold({vkey::Control, vkey::H}, 120);
  EXPECT_FALSE(app.frm.form.visible());
  EXPECT_EQ(machine.shell.trayIcons, 0);
  EXPECT_FALSE(machine.system.onTaskList);

  machine.desktop.window(main).iconic = true;  // it had been minimised before
  hold({vkey::Control, vkey::U}, 120);
  EXPECT_TRUE(app.frm.form.visible());
  EXPECT_FALSE(machine.desktop.isIconic(main));
  EXPECT_EQ(machine.desktop.foreground, main);
  EXPECT_EQ(machine.shell.trayIcons, 1);
  EXPECT_TRUE(machine.system.onTaskList);
  EXPECT_TRUE(contains(machine.system.calls, "RegisterServiceProcess 1234 1"));
  EXPECT_TRUE(contains(machine.system.calls, "RegisterServiceProcess 1234 0"));
}

TEST_F(InvisibleMode, CtrlUWithCtrlHShowsAndF1BringsTheHelpPageForward) {
  program::Form_Load(app);
  app.frm.Check1.setValue(0);  // the hot keys work whatever this says
  hold({vkey::Control, vkey::H}, 120);
  ASSERT_FALSE(app.frm.form.visible());
  hold({vkey::Control, vkey::U, vkey::H}, 500);
  EXPECT_TRUE(app.frm.form.visible()) << "the show key ends the tick before the hide test";
  EXPECT_EQ(machine.shell.trayIcons, 1);
  // NT has no task-list registration.
  EXPECT_TRUE(machine.system.calls.empty());

  hold({vkey::F1}, 60);
  EXPECT_EQ(app.frm.frontPage(), &app.frm.help.fraHelp);
}

TEST_F(InvisibleMode, AnInvisibleStartCleansWithoutEverShowingAndCtrlUShowsIt) {
  save("chk1", "1");
  save("chkRun0", "1");
  save("chkRun3", "1");
  save("chkWinSettings5", "1");
  ShowWatch watch(app.frm.form);
  program::Form_Load(app);
  EXPECT_FALSE(watch.shown);
  EXPECT_EQ(machine.shell.trayIcons, 0);
  const std::vector<std::string> got = lines();
  EXPECT_TRUE(contains(got, "Cleaning Clipboard..."));
  EXPECT_TRUE(contains(got, "Cleaning Is Done."));

  hold({vkey::Control, vkey::U}, 120);
  EXPECT_TRUE(watch.shown);
  EXPECT_EQ(machine.shell.trayIcons, 1);
}

TEST_F(InvisibleMode, TheRunEntryFollowsTheTickWhenTheProgramCloses) {
  machine.registry.setString(LocalMachine, kRunKey, "Quellery - 2.00", "C:\\Old\\Quellery.exe m");
  program::Form_Load(app);
  app.frm.chkRun(1).setValue(1);
  EXPECT_EQ(machine.registry.getString(LocalMachine, kRunKey, "Quellery - 2.10"), "") << "written on closing only";
  program::Form_Unload(app);
  // Quoted: with the blank in the path, Windows would otherwise try C:\Program.exe first.
  EXPECT_EQ(machine.registry.getString(LocalMachine, kRunKey, "Quellery - 2.10"),
            "\"C:\\Program Files\\Quellery\\Quellery.exe\" m");

  app.frm.chkRun(1).setValue(0);
  program::saveLastSelection(app);
  EXPECT_FALSE(machine.registry.exists(LocalMachine, kRunKey, "Quellery - 2.10"));
  EXPECT_EQ(machine.registry.getString(LocalMachine, kRunKey, "Quellery - 2.00"), "C:\\Old\\Quellery.exe m")
      << "another copy's entry stays";
}

TEST_F(InvisibleMode, RunEntriesOfOlderVersionsInTheOldFormStillCount) {
  EXPECT_EQ(schedule::runEntryProgram("\"C:\\Program Files\\Quellery\\Quellery.exe\" m"),
            "C:\\Program Files\\Quellery\\Quellery.exe");
  EXPECT_EQ(schedule::runEntryProgram("C:\\Program Files\\Quellery\\Quellery.exe m"),
            "C:\\Program Files\\Quellery\\Quellery.exe");
  EXPECT_EQ(schedule::runEntryProgram("C:\\Tools\\Quellery.exe"), "C:\\Tools\\Quellery.exe");

  // An older version of this very program wrote its entry unquoted, under its own number.
  machine.registry.setString(LocalMachine, kRunKey, "Quellery - 2.00", "c:\\program files\\quellery\\Quellery.exe m");
  machine.registry.setString(LocalMachine, kRunKey, "Quellery - 2.05", "C:\\Old\\Quellery.exe m");
  program::Form_Load(app);
  app.frm.chkRun(1).setValue(0);
  program::Form_Unload(app);
  EXPECT_FALSE(machine.registry.exists(LocalMachine, kRunKey, "Quellery - 2.00"))
      << "unticked, the program no longer starts with Windows";
  EXPECT_EQ(machine.registry.getString(LocalMachine, kRunKey, "Quellery - 2.05"), "C:\\Old\\Quellery.exe m");
}

TEST_F(InvisibleMode, AnInvisibleStartWithAnIntervalScheduleSweepsTheShredFolder) {
  save("chk1", "1");
  save("chkRun0", "1");
  save("chkRun4", "1");
  save("OptSchedule0", "True");
  save("txtMin", "1");
  machine.files.makeFolders(machine.system.programDir);
  machine.files.makeFolders("C:\\Wipe");
  machine.files.writeFile("C:\\Wipe\\old.txt", "old");
  machine.registry.setString(CurrentUser, "SOFTWARE\\Quellery\\Sheredder", "ShredFolder", "C:\\Wipe");
  ShowWatch watch(app.frm.form);
  program::Form_Load(app);
  EXPECT_EQ(app.frm.txtShredFolder.text(), "C:\\Wipe") << "loaded with the program, not when first shown";
  app::WaitSeconds(app.os, 90);
  EXPECT_FALSE(watch.shown);
  EXPECT_EQ(machine.files.getAttributes("C:\\Wipe\\old.txt"), platform::fileattr::Invalid);
}

TEST_F(InvisibleMode, HidingHidesEveryWindowOfTheProgramAndShowingBringsThemBack) {
  const platform::WindowHandle main = machine.desktop.openOwn("QuelleryMain", "Quellery v1.0");
  app.frm.form.hWnd = main;
  const platform::WindowHandle custom = machine.desktop.openOwn("QuelleryOwned", "Custom Settings");
  const platform::WindowHandle notepad = machine.desktop.open("Notepad", "Untitled - Notepad");
  program::Form_Load(app);

  hold({vkey::Control, vkey::H}, 120);
  EXPECT_FALSE(app.frm.form.visible());
  EXPECT_FALSE(machine.desktop.window(custom).visible) << "the customisation window hides with the program";
  EXPECT_TRUE(machine.desktop.window(notepad).visible);

  hold({vkey::Control, vkey::U}, 120);
  EXPECT_TRUE(app.frm.form.visible());
  EXPECT_TRUE(machine.desktop.window(custom).visible);
  EXPECT_EQ(machine.desktop.foreground, main);
}

// Keys pressed and let go between two polls, as while the program was busy (Wine takes two
// seconds to withdraw each window): Windows keeps a pressed-since bit for each key, which
// the poll must not lose by asking a key twice. With the customisation window open.
TEST_F(InvisibleMode, CtrlUPressedBetweenTwoPollsShowsTheProgramOnce) {
  const platform::WindowHandle main = machine.desktop.openOwn("QuelleryMain", "Quellery v1.0");
  app.frm.form.hWnd = main;
  const platform::WindowHandle custom = machine.desktop.openOwn("QuelleryOwned", "Custom Settings");
  program::Form_Load(app);
  auto tap = [&](std::initializer_list<int> keys) {
    for (int key : keys) machine.desktop.press(key);
    for (int key : keys) machine.desktop.release(key);
  };
  const struct {
    const char* how;
    std::function<void()> press;
    bool shown;
  } cases[] = {
      {"both pressed and let go", [&] { tap({vkey::Control, vkey::U}); }, true},
      {"U tapped while Ctrl is held",
       [&] {
         machine.desktop.press(vkey::Control);
         app::WaitSeconds(app.os, 0.1);
         tap({vkey::U});
         app::WaitSeconds(app.os, 0.1);
         machine.desktop.release(vkey::Control);
       },
       true},
      {"Ctrl, then U a poll later",
       [&] {
         tap({vkey::Control});
         app::WaitSeconds(app.os, 0.1);
         tap({vkey::U});
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    hold({vkey::Control, vkey::H}, 120);
    ASSERT_FALSE(app.frm.form.visible());
    ASSERT_FALSE(machine.desktop.window(custom).visible);
    c.press();
    app::WaitSeconds(app.os, 0.1);
    EXPECT_EQ(app.frm.form.visible(), c.shown);
    EXPECT_EQ(machine.desktop.window(custom).visible, c.shown);
  }
}

TEST_F(InvisibleMode, CtrlUMakesTheShownWindowTheActiveOneWhileAnotherProgramHasTheForeground) {
  const platform::WindowHandle main = machine.desktop.openOwn("QuelleryMain", "Quellery v1.0");
  app.frm.form.hWnd = main;
  program::Form_Load(app);
  hold({vkey::Control, vkey::H}, 120);
  const platform::WindowHandle notepad = machine.desktop.open("Notepad", "Untitled - Notepad");
  machine.desktop.foreground = notepad;  // the user works in another program

  hold({vkey::Control, vkey::U}, 120);
  EXPECT_EQ(machine.desktop.foreground, main) << "not just a flash in the taskbar";
  EXPECT_TRUE(machine.desktop.attachedInputs.empty()) << "the input is shared for the call only";
}

TEST_F(InvisibleMode, ShutdownCleansAtTheQueryAndOnlyAnEndedSessionUnloads) {
  program::Form_Load(app);
  machine.loop.doEvents();  // back in the message loop: the tray icon follows the window
  app.frm.chkRun(2).setValue(1);
  app.frm.chkWinSettings[5].setValue(1);
  program::Form_QueryUnload(app, 0);
  EXPECT_FALSE(contains(lines(), "Cleaning Clipboard...")) << "a plain close does not clean";

  program::SessionEnding(app);
  EXPECT_TRUE(contains(lines(), "Cleaning Clipboard..."));
  EXPECT_EQ(lines().front(), "Quellery is ready") << "the pass does not clear the list";
  program::SessionEnded(app, false);
  EXPECT_FALSE(app.unloaded) << "another program cancelled the shutdown";
  EXPECT_FALSE(machine.system.ended);
  EXPECT_TRUE(app.frm.form.visible());
  EXPECT_EQ(machine.shell.trayIcons, 1);

  program::SessionEnding(app);
  EXPECT_THROW(program::SessionEnded(app, true), platform::ProgramEnded);
  EXPECT_TRUE(app.unloaded);
  EXPECT_EQ(settings::GetSetting(machine.registry, "Quellery", "LastHistory", "chkRun2", ""), "1")
      << "selections saved";
}

struct RebootCase {
  const char* name;
  platform::OsVersion version;
  std::vector<std::string> calls;
};

class CleanAndReboot : public ::testing::TestWithParam<RebootCase>, protected TestApp {};

TEST_P(CleanAndReboot, ACompletedRunSavesThenRestartsByForce) {
  machine.system.version = GetParam().version;
  app.frm.chkWinSettings[5].setValue(1);
  std::string savedAtRequest;
  machine.system.onCall = [&](const std::string& call) {
    if (call.rfind("ExitWindowsEx", 0) == 0)
      savedAtRequest = settings::GetSetting(machine.registry, "Quellery", "LastHistory", "chkWinSettings5", "");
  };
  app::cmdReboot_Click(app);
  EXPECT_EQ(machine.system.calls, GetParam().calls);
  EXPECT_EQ(savedAtRequest, "1") << "the selections are saved before Windows is asked";
  EXPECT_EQ(lines()[lines().size() - 6], "Cleaning Is Done.");
}

INSTANTIATE_TEST_SUITE_P(
    Systems, CleanAndReboot,
    ::testing::Values(RebootCase{"Windows98", {4, 10, 2222, platform::osplatform::Windows9x, ""}, {"ExitWindowsEx 6 0"}},
                      RebootCase{"WindowsXP",
                                 {5, 1, 2600, platform::osplatform::WindowsNT, ""},
                                 {"OpenProcessToken 40", "LookupPrivilegeValue \"\" SeShutdownPrivilege",
                                  "AdjustTokenPrivileges token false 19:0 2 16", "CloseHandle token",
                                  "ExitWindowsEx 6 0"}}),
    [](const ::testing::TestParamInfo<RebootCase>& info) { return info.param.name; });

TEST(CleanAndRebootStopped, AStoppedRunAsksForNoRestart) {
  TestApp t;
  t.app.frm.chkWinSettings[0].setValue(1);
  t.machine.loop.at(t.now() + 2500, [&] { t.app.frm.cleaning.cmdStopCleaning.click(); });
  app::cmdReboot_Click(t.app);
  EXPECT_TRUE(t.machine.system.calls.empty());
  // A restart asked for without force lacks only the force flag.
  engine::RebootWindows(t.app.os, false);
  EXPECT_EQ(t.machine.system.calls.back(), "ExitWindowsEx 2 0");
}

}  // namespace
